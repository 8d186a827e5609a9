#include "skin/model/SkinData.h"
#include "skin/store/CompressedStoredSkin.h"
#include "skin/store/SkinArchive.h"

#include <algorithm>

namespace qv {

namespace {

std::vector<TbsSkinNoticeTarget*>& forms()
{
    static std::vector<TbsSkinNoticeTarget*> list;
    return list;
}

TbsSkinPicture decodeOptional(const std::optional<std::string_view>& bmp)
{
    return bmp ? TbsSkinPicture::fromBmp(*bmp) : TbsSkinPicture();
}

// Every "name:kind" entry of a list section whose kind is known, loaded from the section of its name.
template <class T> void loadListed(const TbsSkinIni& ini, const char* listSection,
                                   std::unique_ptr<T> (*create)(const std::string& kind, const std::string& name),
                                   std::vector<std::unique_ptr<T>>& into)
{
    TbsSectionReader list(ini, listSection);
    for (int i = 0, n = list.listCount("count"); i < n; ++i) {
        auto [name, kind] = splitNameKind(list.str(std::to_string(i)));
        if (auto entry = create(kind, name)) {
            entry->load(TbsSectionReader(ini, name));
            into.push_back(std::move(entry));
        }
    }
}

} // namespace

TbsSkinNoticeTarget::TbsSkinNoticeTarget() { forms().push_back(this); }
TbsSkinNoticeTarget::~TbsSkinNoticeTarget() { std::erase(forms(), this); }
const std::vector<TbsSkinNoticeTarget*>& TbsSkinNoticeTarget::formOrder() { return forms(); }

TbsResourceStrData::TbsResourceStrData()
    : ResStrings({
          "MI_MINCAPTION=Mi&nimize",
          "MI_MAXCAPTION=Ma&ximize",
          "MI_RESTORECAPTION=&Restore",
          "MI_ROLLUPCAPTION=Ro&llUp",
          "MI_MINTOTRAYCAPTION=Minimize to &Tray",
          "MI_CLOSECAPTION=&Close",
          "MINBUTTON_HINT=Minimize",
          "MAXBUTTON_HINT=Maximize",
          "CLOSEBUTTON_HINT=Close",
          "MENUBUTTON_HINT=System menu",
          "ROLLUPBUTTON_HINT=Roll Up",
          "TRAYBUTTON_HINT=Minimize to Tray",
          "EDIT_UNDO=Undo",
          "EDIT_CUT=Cut",
          "EDIT_COPY=Copy",
          "EDIT_PASTE=Paste",
          "EDIT_DELETE=Delete",
          "EDIT_SELECTALL=Select All",
          "MSG_BTN_OK=OK",
          "MSG_BTN_CANCEL=Cancel",
          "MSG_BTN_OPEN=&Open",
          "MSG_BTN_SAVE=&Save",
          "MSG_BTN_BACK_HINT=Go To Last Folder Visited",
          "MSG_BTN_UP_HINT=Up One Level",
          "MSG_BTN_NEWFOLDER_HINT=Create New Folder",
          "MSG_BTN_VIEWMENU_HINT=View Menu",
          "MSG_LV_ICON=Large icons",
          "MSG_LV_SMALLICON=Small icons",
          "MSG_LV_LIST=List",
          "MSG_LV_DETAILS=Details",
          "MSG_FILENAME=File name:",
          "MSG_FILETYPE=File type:",
          "MSG_NEWFOLDER=New Folder",
          "FLV_LOOKIN=Look in: ",
          "FLV_NAME=Name",
          "FLV_SIZE=Size",
          "FLV_TYPE=Type",
          "FLV_MODIFIED=Modified",
      })
{
}

std::string TbsResourceStrData::GetResStr(const std::string& name) const
{
    for (const auto& line : ResStrings) {
        size_t eq = line.find('=');
        if (eq != std::string::npos && line.compare(0, eq, name) == 0 && eq == name.size())
            return line.substr(eq + 1);
    }
    return {};
}

TbsSkinData::~TbsSkinData()
{
    if (m_store)
        m_store->removeReference(&m_store);
    m_empty = true;
}

void TbsSkinData::setCompressedStoredSkin(TbsCompressedStoredSkin* store)
{
    if (m_store)
        m_store->removeReference(&m_store);
    m_store = store;
    if (!m_store)
        return;
    m_store->addReference(&m_store);
    loadFromStore();
}

void TbsSkinData::setResourceStrData(TbsResourceStrData* strings)
{
    m_strings = strings;
    broadcast(SkinStringsChanged);
}

void TbsSkinData::loadFromStore()
{
    if (m_store->IsEmpty())
        return;
    m_empty = true;
    broadcast(SkinChangeBegin);
    fullClear();
    TByteBuffer archive;
    try {
        m_store->ExtractArchive(archive);
        archive.setPosition(0);
        readArchive(archive);
    } catch (...) {
        fullClear();
        throw;
    }
}

void TbsSkinData::loadFromArchive(const std::string& bytes)
{
    m_empty = true;
    broadcast(SkinChangeBegin);
    fullClear();
    TByteBuffer archive(bytes);
    try {
        readArchive(archive);
    } catch (...) {
        fullClear();
        throw;
    }
}

void TbsSkinData::readArchive(TByteBuffer& stream)
{
    // Pictures and INI text are read in place from the inflated bytes.
    TbsSkinArchiveView const archive = TbsSkinArchiveView::read(stream);
    if (archive.version > skinArchiveVersion)
        return;
    int64_t pixels = 0;
    // Pictures are decoded to 32 bits a pixel; small packed BMPs must not add up to gigabytes.
    auto count = [this, &pixels](TbsSkinPicture p) {
        pixels += int64_t(p.width()) * p.height();
        if (pixels > m_pixelLimit)
            throw ESkinArchiveError("Skin pictures are too large");
        return p;
    };
    m_picture = count(decodeOptional(archive.mainPicture));
    m_inactivePicture = count(decodeOptional(archive.inactivePicture));
    m_mask = count(decodeOptional(archive.maskPicture));
    for (std::string_view bmp : archive.activePictures)
        m_activePictures.push_back(std::make_unique<TbsSkinPicture>(count(TbsSkinPicture::fromBmp(bmp))));
    loadSections(TbsSkinIni(archive.iniText));
    m_empty = false;
    broadcast(SkinChanged);
    broadcast(SkinChangeEnd);
}

void TbsSkinData::loadSections(const TbsSkinIni& ini)
{
    TbsSectionReader version(ini, "VERSION");
    SkinName = version.str("skinname");
    SkinAuthor = version.str("skinauthor");
    AuthorEmail = version.str("authoremail");
    AuthorURL = version.str("authorurl");
    SkinComments = version.str("skincomments");
    TbsSectionReader pictures(ini, "PICTURES");
    m_pictureName = pictures.str("picture");
    m_inactivePictureName = pictures.str("inactivepicture");
    m_maskName = pictures.str("mask");
    m_activePictureNames = pictures.nameList("activepictures");

    m_frame = TbsSkinFrameInfo();
    m_frame.load(TbsSectionReader(ini, "FORMINFO"), !m_maskName.empty());
    m_popupWindow = TbsDataSkinPopupWindow();
    m_popupWindow.load(TbsSectionReader(ini, "POPUPWINDOW"));
    m_hintWindow = TbsDataSkinHintWindow();
    m_hintWindow.load(TbsSectionReader(ini, "HINTWINDOW"));

    loadListed(ini, "SKINOBJECTS", createSkinObject, m_objects);
    loadListed(ini, "SKINCONTROLS", createSkinControl, m_controls);
}

int TbsSkinData::FindSkinObject(const std::string& name) const
{
    for (size_t i = 0; i < m_objects.size(); ++i) {
        if (m_objects[i]->Name == name)
            return static_cast<int>(i);
    }
    return -1;
}

int TbsSkinData::FindSkinControl(const std::string& name) const
{
    for (size_t i = 0; i < m_controls.size(); ++i) {
        if (m_controls[i]->Name == name)
            return static_cast<int>(i);
    }
    return -1;
}

const TbsSkinPicture* TbsSkinData::activePicture(int index) const
{
    if (index < 0 || index >= activePictureCount())
        return nullptr;
    return m_activePictures[static_cast<size_t>(index)].get();
}

void TbsSkinData::clear()
{
    m_objects.clear();
    m_controls.clear();
    m_activePictures.clear();
    m_activePictureNames.clear();
    m_popupWindow.WindowPictureIndex = -1;
    m_hintWindow.WindowPictureIndex = -1;
}

void TbsSkinData::fullClear()
{
    clear();
    m_picture = TbsSkinPicture();
    m_inactivePicture = TbsSkinPicture();
    m_mask = TbsSkinPicture();
    m_pictureName.clear();
    m_maskName.clear();
    m_empty = true;
}

void TbsSkinData::broadcast(TbsSkinNotice code)
{
    // A form may close while it handles a notice; only forms still there hear the rest.
    std::vector<TbsSkinNoticeTarget*> order = forms();
    auto alive = [](TbsSkinNoticeTarget* t) { return std::find(forms().begin(), forms().end(), t) != forms().end(); };
    if (m_owner && alive(m_owner))
        m_owner->skinNotice(code, this, skinNoticeParam);
    for (auto* form : order) {
        if (form != m_owner && alive(form))
            form->skinNotice(code, this, skinNoticeParam);
    }
}

} // namespace qv
