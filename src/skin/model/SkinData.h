#pragma once

#include "skin/model/SkinControlData.h"
#include "skin/model/SkinObjects.h"
#include "skin/model/SkinPicture.h"

#include <memory>
#include <string>
#include <vector>

namespace qv {

class TbsCompressedStoredSkin;
class TByteBuffer;
class TbsSkinData;

// Skin change notices, window-message numbers of the program.
enum TbsSkinNotice {
    SkinChangeBegin = 1225,
    SkinChanged = 1226,
    SkinChangeEnd = 1227,
    SkinStringsChanged = 1274,
};
constexpr int skinNoticeParam = 1000;

// A form that takes skin notices. Forms join the form order as they are created.
class TbsSkinNoticeTarget {
public:
    TbsSkinNoticeTarget();
    virtual ~TbsSkinNoticeTarget();
    TbsSkinNoticeTarget(const TbsSkinNoticeTarget&) = delete;
    TbsSkinNoticeTarget& operator=(const TbsSkinNoticeTarget&) = delete;

    virtual void skinNotice(TbsSkinNotice code, TbsSkinData* model, int param) = 0;
    static const std::vector<TbsSkinNoticeTarget*>& formOrder();
};

// The string table: "NAME=text" lines, English built in.
class TbsResourceStrData {
public:
    TbsResourceStrData();
    std::vector<std::string> ResStrings;
    int CharSet = 1;
    // The text after the first "=" of the line of that name, or "".
    std::string GetResStr(const std::string& name) const;
};

// The in-memory skin: pictures of the archive and one data object per INI section.
class TbsSkinData {
public:
    // All pictures of one skin together; this program's skin has about 300,000 pixels.
    static constexpr int64_t maxSkinPixels = 32 * 1024 * 1024;
    // The pixels a load accepts, maxSkinPixels unless lowered (tests prove the refusal
    // on small pictures).
    void setPixelLimit(int64_t pixels) { m_pixelLimit = pixels; }

    TbsSkinData() = default;
    ~TbsSkinData();
    TbsSkinData(const TbsSkinData&) = delete;
    TbsSkinData& operator=(const TbsSkinData&) = delete;

    bool empty() const { return m_empty; }

    // Setting a store loads it at once. A corrupt or truncated archive raises
    // its error and leaves the model empty and cleared.
    TbsCompressedStoredSkin* CompressedStoredSkin() const { return m_store; }
    void setCompressedStoredSkin(TbsCompressedStoredSkin* store);
    TbsResourceStrData* ResourceStrData() const { return m_strings; }
    void setResourceStrData(TbsResourceStrData* strings);
    // The form that hears the notices first.
    void setOwner(TbsSkinNoticeTarget* owner) { m_owner = owner; }

    // The load sequence over an inflated archive, notices included.
    void loadFromArchive(const std::string& archive);

    int FindSkinObject(const std::string& name) const;
    int FindSkinControl(const std::string& name) const;
    int findSkinControl(const std::string& name) const { return FindSkinControl(name); }

    int skinObjectCount() const { return static_cast<int>(m_objects.size()); }
    TbsDataSkinObject& skinObject(int index) const { return *m_objects.at(index); }
    int skinControlCount() const { return static_cast<int>(m_controls.size()); }
    TbsDataSkinControl& skinControl(int index) const { return *m_controls.at(index); }
    int activePictureCount() const { return static_cast<int>(m_activePictures.size()); }
    // The active picture at index, or null for -1 or an index beyond the list.
    const TbsSkinPicture* activePicture(int index) const;
    const std::vector<std::string>& activePictureNames() const { return m_activePictureNames; }

    const TbsSkinPicture& picture() const { return m_picture; }
    const TbsSkinPicture& inactivePicture() const { return m_inactivePicture; }
    const TbsSkinPicture& maskPicture() const { return m_mask; }
    const std::string& pictureName() const { return m_pictureName; }
    const std::string& inactivePictureName() const { return m_inactivePictureName; }
    const std::string& maskName() const { return m_maskName; }

    const TbsSkinFrameInfo& frame() const { return m_frame; }
    const TbsDataSkinPopupWindow& popupWindow() const { return m_popupWindow; }
    const TbsDataSkinHintWindow& hintWindow() const { return m_hintWindow; }

    std::string SkinName, SkinAuthor, AuthorEmail, AuthorURL, SkinComments;

    // Lists and active pictures; full clear also the frame pictures and names, and marks the model empty.
    void clear();
    void fullClear();

private:
    void loadFromStore();
    void readArchive(TByteBuffer& archive);
    void loadSections(const TbsSkinIni& ini);
    void broadcast(TbsSkinNotice code);

    bool m_empty = true;
    int64_t m_pixelLimit = maxSkinPixels;
    std::vector<std::unique_ptr<TbsDataSkinObject>> m_objects;
    std::vector<std::unique_ptr<TbsDataSkinControl>> m_controls;
    std::vector<std::unique_ptr<TbsSkinPicture>> m_activePictures;
    std::vector<std::string> m_activePictureNames;
    TbsSkinPicture m_picture, m_inactivePicture, m_mask;
    std::string m_pictureName, m_inactivePictureName, m_maskName;
    TbsSkinFrameInfo m_frame;
    TbsDataSkinPopupWindow m_popupWindow;
    TbsDataSkinHintWindow m_hintWindow;
    TbsResourceStrData* m_strings = nullptr;
    TbsCompressedStoredSkin* m_store = nullptr;
    TbsSkinNoticeTarget* m_owner = nullptr;
};

} // namespace qv
