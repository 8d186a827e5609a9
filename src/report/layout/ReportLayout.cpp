#include "report/layout/ReportLayout.h"

#include "report/calc/DataFieldExpression.h"
#include "report/calc/ReportVariables.h"
#include "report/layout/Tolerance.h"
#include "report/snapshot/SnapshotFormat.h"
#include "runtime/core/Text.h"

#include <algorithm>
#include <limits>

namespace qv::report {

namespace {

// Goto chains can loop; a run stops here rather than writing pages for ever.
constexpr int maxSheets = 100000;
// Mirrors may chain; a longer or looping chain stops here.
constexpr int maxMirrorDepth = 16;

constexpr std::uint32_t bit(int member)
{
    return 1u << unsigned(member);
}

bool isIterate(const TRpBand& band)
{
    return dynamic_cast<const TRpIterateBand*>(&band) != nullptr;
}

} // namespace

ReportLayout::ReportLayout(const TRpReport& report, TBaseReport& writer, ParameterStore& params, RowSourceFactory rows)
    : m_report(report)
    , m_writer(writer)
    , m_params(params)
    , m_rows(std::move(rows))
    , m_calcs(*this)
{
}

ReportLayout::~ReportLayout()
{
    closeViews();
}

const TRpPage* ReportLayout::firstPage() const
{
    if (!m_report.pageList().empty() && m_report.pageList().front())
        return m_report.pageList().front().get();
    if (m_report.firstPage())
        return m_report.firstPage();
    return m_report.pages().empty() ? nullptr : m_report.pages().front().get();
}

void ReportLayout::print()
{
    m_printing = true;
    m_completed = true;
    for (const auto& page : m_report.pages())
        m_calcs.collect(*page);
    for (const TRpPage* page : m_globalPages)
        m_calcs.collect(*page);
    m_calcs.resetAll();

    std::vector<const TRpPage*> pending;
    for (std::size_t i = 1; i < m_report.pageList().size(); ++i)
        pending.push_back(m_report.pageList()[i].get());
    std::reverse(pending.begin(), pending.end());
    std::vector<const TRpPage*> remembered;

    try {
        const TRpPage* page = firstPage();
        m_relativePage = 0;
        while (page && !m_writer.Aborted() && m_sheets < maxSheets) {
            if (m_sheets > 0) {
                if (page->orientation() != poDefault)
                    m_writer.ChangeOrientation(page->orientation() == poPortrait ? TOrientation::poPortrait : TOrientation::poLandScape);
                m_writer.NewPage();
            }
            ++m_sheets;
            ++m_relativePage;
            bool done = printPage(*page);
            if (m_report.maxPages() > 0 && m_sheets >= m_report.maxPages())
                break;

            const TRpPage* next = nullptr;
            switch (page->gotoMode()) {
            case gmGotoDone:
                next = done ? page->gotoPage() : page;
                break;
            case gmGotoNotDone:
                next = done ? nullptr : page->gotoPage();
                break;
            case gmCallEach:
                if (page->gotoPage()) {
                    if (!done)
                        remembered.push_back(page);
                    next = page->gotoPage();
                } else {
                    next = done ? nullptr : page;
                }
                break;
            }
            if (!next) {
                m_relativePage = 0;
                if (!remembered.empty()) {
                    next = remembered.back();
                    remembered.pop_back();
                } else if (!pending.empty()) {
                    next = pending.back();
                    pending.pop_back();
                }
            }
            page = next;
        }
    } catch (const Aborted&) {
        m_completed = false;
        m_writer.Abort();
    }
    closeViews();
    m_printing = false;
}

bool ReportLayout::printPage(const TRpPage& page)
{
    bool done = true;
    for (const auto& child : page.children()) {
        resetDrawingState();
        if (auto* region = dynamic_cast<const TRpRegion*>(child.get())) {
            if (shown(*region) && !printRegion(*region, 0, 0))
                done = false;
            continue;
        }
        printControl(*child, 0, 0);
    }
    if (done) {
        // A page visited again later starts over.
        for (const auto& child : page.children()) {
            if (auto* region = dynamic_cast<const TRpRegion*>(child.get()))
                m_regions.erase(region);
        }
    }
    return done;
}

bool ReportLayout::printRegion(const TRpRegion& region, double pageLeft, double pageTop)
{
    RegionState& state = m_regions[&region];
    if (state.done)
        return true;
    int columns = std::max(1, region.columns());
    state.left = pageLeft + region.left();
    state.top = pageTop + region.top();
    state.height = region.height();
    state.columnWidth = (region.width() - (columns - 1) * region.columnSpacing()) / columns;

    m_region = &region;
    m_regionState = &state;
    for (int column = 1; column <= columns; ++column) {
        ++m_columnSerial;
        state.columnLeft = (state.columnWidth + region.columnSpacing()) * (column - 1);
        state.printTop = 0;
        state.restart = false;
        state.pageBreak = false;
        state.progress = false;
        printTopLevel(region, state);
        if (!state.restart) {
            state.done = true;
            break;
        }
        if (state.pageBreak || column == columns) {
            state.occurrence = poNewPage;
            break;
        }
        state.occurrence = poNewColumn;
        m_writer.NewColumn();
    }
    m_writer.EndOfSection();
    m_region = nullptr;
    m_regionState = nullptr;
    return state.done;
}

void ReportLayout::printTopLevel(const TRpRegion& region, RegionState& state)
{
    std::vector<const TRpBand*> bands = controlled(nullptr, plDetail);
    (void)region;
    for (; state.topIndex < bands.size(); ++state.topIndex) {
        const TRpBand* band = bands[state.topIndex];
        auto* dataBand = dynamic_cast<const TRpDataBand*>(band);
        Outcome outcome = dataBand ? printDataBand(*dataBand) : printBand(*band, false);
        if (outcome == Outcome::Restart) {
            state.restart = true;
            return;
        }
        if (outcome == Outcome::Break) {
            ++state.topIndex;
            state.restart = true;
            state.pageBreak = true;
            return;
        }
    }
}

std::vector<const TRpBand*> ReportLayout::controlled(const TRpBand* controller, TRpPrintLocation location) const
{
    std::vector<const TRpBand*> bands;
    if (!m_region)
        return bands;
    for (const auto& child : m_region->children()) {
        auto* band = dynamic_cast<const TRpBand*>(child.get());
        if (!band || band->controllerBand() != controller)
            continue;
        if (controller && !(band->bandStyle().printLoc() & bit(location)))
            continue;
        bands.push_back(band);
    }
    return bands;
}

double ReportLayout::remaining() const
{
    return m_regionState->height - m_regionState->printTop;
}

double ReportLayout::bandHeight(const TRpBand& band) const
{
    return mirrored(band).height();
}

// doParent takes the setting of the nearest control around that has one of its own.
bool ReportLayout::shown(const TRpControl& control) const
{
    TRpDisplayOn displayOn = doParent;
    for (const TRpReportComponent* component = &control; component && displayOn == doParent; component = component->parent()) {
        auto* asControl = dynamic_cast<const TRpControl*>(component);
        if (!asControl)
            break;
        displayOn = asControl->displayOn();
    }
    switch (displayOn) {
    case doPreviewOnly:
        return m_target == DisplayTarget::Preview;
    case doPrinterOnly:
        return m_target == DisplayTarget::Printer;
    case doParent:
    case doAll:
        break;
    }
    return true;
}

// The control whose content a control prints: the end of its Mirror chain, or itself.
const TRpControl& ReportLayout::mirrored(const TRpControl& control) const
{
    const TRpControl* source = &control;
    for (int depth = 0; depth < maxMirrorDepth && source->mirror() && source->mirror() != &control; ++depth)
        source = source->mirror();
    return *source;
}

ReportLayout::Outcome ReportLayout::printBand(const TRpBand& band, bool reprint, const std::function<void()>& beforeOutput)
{
    if (!shown(band))
        return Outcome::Skipped;
    RegionState& region = *m_regionState;
    BandState& state = m_bands[&band];
    const TRpControl& content = mirrored(band);
    std::uint32_t occurrences = band.bandStyle().printOcc();
    if (reprint && !(occurrences & bit(region.occurrence)))
        return Outcome::Skipped;
    if (!reprint && !isIterate(band) && !(occurrences & bit(poFirst)))
        return Outcome::Skipped;
    if (band.startNewPage() && state.sheetPrinted == m_sheets)
        return Outcome::Restart;

    double offset = reprint ? 0 : state.splitOffset;
    double height = bandHeight(band) - offset;
    double y = band.top();
    bool fits = true;
    if (band.positionMode() != pmAbsolute) {
        y = region.printTop + band.positionValue();
        fits = !exceeds(height + band.positionValue(), remaining());
    }
    double left = m_regionState->left + region.columnLeft;
    if (!fits && band.allowSplit() && !reprint && band.positionMode() != pmAbsolute) {
        // A band that may split prints the children whose top falls on this sheet and
        // the rest after the restart.
        double room = remaining() - band.positionValue();
        if (exceeds(room, 0) && !exceeds(band.minHeightLeft(), remaining())) {
            if (beforeOutput && offset == 0)
                beforeOutput();
            printChildrenBetween(content, left, m_regionState->top + y - offset, offset, offset + room);
            state.splitOffset = offset + room;
            region.printTop = region.height;
            region.progress = true;
            return Outcome::Restart;
        }
    }
    // The first band of a column always prints, so a band taller than its region
    // cannot make every new sheet restart for ever.
    if ((region.progress || reprint) && (exceeds(band.minHeightLeft(), remaining()) || !fits))
        return Outcome::Restart;

    if (beforeOutput && offset == 0)
        beforeOutput();
    printChildrenBetween(content, left, m_regionState->top + y - offset, offset, std::numeric_limits<double>::infinity());
    state.splitOffset = 0;
    if (band.positionMode() == pmOffset)
        region.printTop = y + height;
    if (!reprint)
        region.progress = true;
    state.sheetPrinted = m_sheets;
    return band.finishNewPage() ? Outcome::Break : Outcome::Printed;
}

ReportLayout::Outcome ReportLayout::printDataBand(const TRpDataBand& band)
{
    if (!shown(band))
        return Outcome::Skipped;
    DataBandState& state = m_dataBands[&band];
    DataViewRun* run = nullptr;
    if (!state.started) {
        state = DataBandState {};
        run = viewRun(band.dataView());
        if (!run)
            return Outcome::Printed;
        if (band.initToFirst() || run->position() == 0)
            run->first();
        if (run->eof())
            return Outcome::Printed;
        state.started = true;
    } else {
        run = viewRun(band.dataView());
        if (!run)
            return Outcome::Printed;
        if (state.columnSerial != m_columnSerial && m_regionState->occurrence != poFirst)
            reprintHeaders(band, state);
    }
    state.columnSerial = m_columnSerial;

    auto stop = [&](Outcome outcome) { return outcome == Outcome::Restart || outcome == Outcome::Break; };
    // The stages that only print the bands of one location, and the stage after each.
    struct LocationStage {
        Stage stage;
        TRpPrintLocation location;
        Stage next;
    };
    static constexpr LocationStage locationStages[] = {
        {Stage::GroupHeader, plGroupHeader, Stage::RowHeader},
        {Stage::RowHeader, plRowHeader, Stage::Master},
        {Stage::Detail, plDetail, Stage::RowFooter},
        {Stage::RowFooter, plRowFooter, Stage::GroupFooter},
        {Stage::GroupFooter, plGroupFooter, Stage::AfterRow},
    };
    while (true) {
        Outcome outcome = Outcome::Printed;
        switch (state.stage) {
        case Stage::BodyHeader:
            if (!state.bodyChecked && (band.keepBodyTogether() || band.orphanRows() > 0) && m_regionState->progress) {
                int rows = band.keepBodyTogether() ? 0 : band.orphanRows();
                if (exceeds(lookAheadBody(band, *run, rows), remaining()))
                    return Outcome::Restart;
            }
            state.bodyChecked = true;
            outcome = printLocation(band, state, plBodyHeader);
            if (stop(outcome))
                return outcome;
            state.stage = Stage::RowStart;
            break;
        case Stage::RowStart:
            if (band.keepRowTogether() && m_regionState->progress && exceeds(rowHeight(band, nullptr), remaining()))
                return Outcome::Restart;
            state.stage = Stage::GroupHeader;
            break;
        case Stage::GroupHeader:
        case Stage::RowHeader:
        case Stage::Detail:
        case Stage::RowFooter:
        case Stage::GroupFooter: {
            const LocationStage& step = *std::ranges::find(locationStages, state.stage, &LocationStage::stage);
            outcome = printLocation(band, state, step.location);
            if (stop(outcome))
                return outcome;
            state.stage = step.next;
            break;
        }
        case Stage::Master:
            outcome = printBand(band, false, [&] {
                if (state.announcedPosition != run->position()) {
                    state.announcedPosition = run->position();
                    m_calcs.announceNewData(band);
                }
            });
            if (stop(outcome))
                return outcome;
            state.stage = Stage::Detail;
            break;
        case Stage::AfterRow:
            ++state.rowsPrinted;
            if (band.maxRows() > 0 && state.rowsPrinted >= band.maxRows()) {
                state.stage = Stage::BodyFooter;
                break;
            }
            run->next();
            state.stage = run->eof() ? Stage::BodyFooter : Stage::RowStart;
            break;
        case Stage::BodyFooter:
            outcome = printLocation(band, state, plBodyFooter);
            if (stop(outcome))
                return outcome;
            state = DataBandState {};
            return Outcome::Printed;
        }
    }
}

ReportLayout::Outcome ReportLayout::printLocation(const TRpDataBand& band, DataBandState& state, TRpPrintLocation location)
{
    std::vector<const TRpBand*> bands = controlled(&band, location);
    for (; state.index < bands.size(); ++state.index) {
        const TRpBand* child = bands[state.index];
        bool grouped = location == plGroupHeader || location == plGroupFooter;
        if (grouped && !groupChanges(*child, location))
            continue;
        auto* dataBand = dynamic_cast<const TRpDataBand*>(child);
        Outcome outcome = dataBand ? printDataBand(*dataBand) : printBand(*child, false);
        if (outcome == Outcome::Restart)
            return outcome;
        if (grouped && outcome != Outcome::Skipped)
            m_bands[child].lastGroup = groupValue(*child, false);
        if (outcome == Outcome::Break) {
            ++state.index;
            return outcome;
        }
    }
    state.index = 0;
    return Outcome::Printed;
}

// A data band that goes on in a new column or on a new sheet prints again the headers
// of what continues there: the body, a group whose value has not changed, a row that
// broke after its header. Which of them reprint is up to ReprintLocs and PrintOcc.
void ReportLayout::reprintHeaders(const TRpDataBand& band, const DataBandState& state)
{
    auto reprints = [&](TRpPrintLocation location) { return (band.reprintLocs() & bit(location)) != 0; };
    constexpr std::size_t all = std::numeric_limits<std::size_t>::max();
    if (reprints(plBodyHeader)) {
        std::size_t printed = state.stage == Stage::BodyHeader ? state.index : all;
        if (!reprintBands(controlled(&band, plBodyHeader), [&](std::size_t i) { return i < printed; }))
            return;
    }
    if (state.stage == Stage::BodyHeader || state.stage == Stage::BodyFooter)
        return;
    bool groupEnded = state.stage == Stage::GroupFooter && state.index > 0;
    if (reprints(plGroupHeader) && !groupEnded) {
        std::vector<const TRpBand*> headers = controlled(&band, plGroupHeader);
        bool room = reprintBands(headers, [&](std::size_t i) {
            const auto& last = m_bands[headers[i]].lastGroup;
            return last && *last == groupValue(*headers[i], false);
        });
        if (!room)
            return;
    }
    if (reprints(plRowHeader)) {
        bool rowStarted = state.stage == Stage::Master || state.stage == Stage::Detail || state.stage == Stage::RowFooter
            || state.stage == Stage::GroupFooter;
        std::size_t printed = state.stage == Stage::RowHeader ? state.index : rowStarted ? all : 0;
        reprintBands(controlled(&band, plRowHeader), [&](std::size_t i) { return i < printed; });
    }
}

// False when the column filled up while reprinting.
bool ReportLayout::reprintBands(const std::vector<const TRpBand*>& bands, const std::function<bool(std::size_t)>& wanted)
{
    for (std::size_t i = 0; i < bands.size(); ++i) {
        if (isIterate(*bands[i]) || !wanted(i))
            continue;
        if (printBand(*bands[i], true) == Outcome::Restart)
            return false;
    }
    return true;
}

const TRpBaseDataView* ReportLayout::groupView(const TRpBand& band) const
{
    if (band.groupDataView())
        return band.groupDataView();
    if (auto* controller = dynamic_cast<const TRpDataBand*>(band.controllerBand()))
        return controller->dataView();
    return nullptr;
}

std::string ReportLayout::groupValue(const TRpBand& band, bool ahead)
{
    std::string value;
    std::string key = band.groupKey();
    std::string::size_type start = 0;
    while (start <= key.size()) {
        auto end = key.find('+', start);
        std::string reference = trim(key.substr(start, end == std::string::npos ? std::string::npos : end - start), " ");
        start = end == std::string::npos ? key.size() + 1 : end + 1;
        if (reference.empty())
            continue;
        const TRpBaseDataView* view = groupView(band);
        std::string field = reference;
        if (auto dot = reference.find('.'); dot != std::string::npos) {
            view = findDataView(reference.substr(0, dot));
            field = reference.substr(dot + 1);
        }
        DataViewRun* run = view ? viewRun(view) : nullptr;
        if (run && (ahead ? run->eofAhead() : run->eof())) {
            value += "|\x1A" "EOF\x1A";
            continue;
        }
        std::optional<FieldRead> read;
        if (run)
            read = ahead ? run->readFieldAhead(field) : run->readField(field);
        value += "|" + (read ? read->text : std::string("(invalid)"));
    }
    return value + "|";
}

bool ReportLayout::groupChanges(const TRpBand& band, TRpPrintLocation location)
{
    if (location == plGroupHeader) {
        const auto& last = m_bands[&band].lastGroup;
        return !last || *last != groupValue(band, false);
    }
    return groupValue(band, true) != groupValue(band, false);
}

double ReportLayout::rowHeight(const TRpDataBand& band, std::optional<std::string>* lastGroups)
{
    double height = 0;
    auto add = [&](TRpPrintLocation location) {
        for (const TRpBand* child : controlled(&band, location)) {
            if (dynamic_cast<const TRpIterateBand*>(child) || child->positionMode() != pmOffset || !shown(*child))
                continue;
            if (!(child->bandStyle().printOcc() & bit(poFirst)))
                continue;
            if (location == plGroupHeader) {
                std::optional<std::string> previous = lastGroups ? *lastGroups : m_bands[child].lastGroup;
                std::string current = groupValue(*child, false);
                if (previous && *previous == current)
                    continue;
                if (lastGroups)
                    *lastGroups = current;
            }
            if (location == plGroupFooter && !groupChanges(*child, location))
                continue;
            height += bandHeight(*child) + child->positionValue();
        }
    };
    add(plGroupHeader);
    add(plRowHeader);
    if (band.positionMode() == pmOffset)
        height += bandHeight(band) + band.positionValue();
    add(plDetail);
    add(plRowFooter);
    add(plGroupFooter);
    return height;
}

double ReportLayout::lookAheadBody(const TRpDataBand& band, DataViewRun& run, int rows)
{
    double height = 0;
    for (const TRpBand* child : controlled(&band, plBodyHeader)) {
        if (!dynamic_cast<const TRpIterateBand*>(child) && child->positionMode() == pmOffset && shown(*child)
            && (child->bandStyle().printOcc() & bit(poFirst)))
            height += bandHeight(*child) + child->positionValue();
    }
    run.saveState();
    std::optional<std::string> lastGroup;
    int counted = 0;
    while (!run.eof() && (rows == 0 || counted < rows) && (band.maxRows() == 0 || counted < band.maxRows())) {
        height += rowHeight(band, &lastGroup);
        ++counted;
        run.next();
    }
    bool wholeBody = rows == 0;
    run.restoreState();
    if (wholeBody) {
        for (const TRpBand* child : controlled(&band, plBodyFooter)) {
            if (!dynamic_cast<const TRpIterateBand*>(child) && child->positionMode() == pmOffset && shown(*child))
                height += bandHeight(*child) + child->positionValue();
        }
    }
    return height;
}

DataViewRun* ReportLayout::viewRun(const TRpBaseDataView* view)
{
    if (!view)
        return nullptr;
    auto it = m_views.find(view);
    if (it != m_views.end())
        return it->second.get();
    std::unique_ptr<RowSource> source = m_rows ? m_rows(*view) : nullptr;
    auto run = std::make_unique<DataViewRun>(std::move(source));
    if (!run->open())
        throw Aborted {};
    DataViewRun* raw = run.get();
    m_views.emplace(view, std::move(run));
    return raw;
}

void ReportLayout::closeViews()
{
    for (auto& [view, run] : m_views)
        run->close();
    m_views.clear();
}

std::optional<FieldRead> ReportLayout::readField(const TRpBaseDataView* view, std::string_view fieldName)
{
    if (!view)
        return std::nullopt;
    DataViewRun* run = viewRun(view);
    return run ? run->readField(fieldName) : std::nullopt;
}

TRpBaseDataView* ReportLayout::findDataView(std::string_view name)
{
    for (const TRpBaseDataView* view : m_dataViews) {
        if (view && sameText(view->name(), name))
            return const_cast<TRpBaseDataView*>(view);
    }
    return nullptr;
}

std::string ReportLayout::parameter(std::string_view name)
{
    return m_params.get(name);
}

void ReportLayout::setParameter(const std::string& name, const std::string& value)
{
    m_params.set(name, value);
}

std::string ReportLayout::piVar(std::string_view name)
{
    for (const auto& [key, value] : m_piVars) {
        if (sameText(key, name))
            return value;
    }
    return {};
}

void ReportLayout::setPIVar(const std::string& name, const std::string& value)
{
    for (auto& [key, stored] : m_piVars) {
        if (sameText(key, name)) {
            stored = value;
            return;
        }
    }
    m_piVars.emplace_back(name, value);
}

std::string ReportLayout::reportVariable(int number)
{
    if (number == rvRelativePage)
        return std::to_string(m_relativePage);
    return snapshot::reportVariablePlaceholder(number);
}

} // namespace qv::report
