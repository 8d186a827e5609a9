#include "report/components/Bands.h"

#include "report/components/DataFields.h"

namespace qv::report {

const PropertyTable& TRpBandStyle::classProperties()
{
    return derivedTable(RpPersistent::classProperties(), [](PropertyBuilder& b) {
        b.set("PrintLoc", &TRpBandStyle::m_printLoc, PrintLocationType, 0)
            .set("PrintOcc", &TRpBandStyle::m_printOcc, PrintOccurrenceType, 1);
    });
}

const PropertyTable& TRpBand::classProperties()
{
    return derivedTable(TRpControl::classProperties(), [](PropertyBuilder& b) {
        b.floating("Height", &TRpBand::m_height)
            .integer("Anchor", &TRpBand::m_anchor, 3)
            .object("BandStyle", &TRpBand::m_bandStyle)
            .reference("ControllerBand", &TRpBand::m_controllerBand)
            .reference("GroupDataView", &TRpBand::m_groupDataView)
            .string("GroupKey", &TRpBand::m_groupKey)
            .enumeration("PositionMode", &TRpBand::m_positionMode, PositionModeType, pmOffset)
            .floating("PositionValue", &TRpBand::m_positionValue)
            .floating("MinHeightLeft", &TRpBand::m_minHeightLeft)
            .boolean("AllowSplit", &TRpBand::m_allowSplit, false)
            .boolean("StartNewPage", &TRpBand::m_startNewPage, false)
            .boolean("FinishNewPage", &TRpBand::m_finishNewPage, false)
            .set("ReprintLocs", &TRpBand::m_reprintLocs, PrintLocationType, 255)
            .boolean("DesignerHide", &TRpBand::m_designerHide, false);
    });
}

bool TRpBand::acceptsChild(const TRpReportComponent& child) const
{
    return !child.isProjectItem() && !dynamic_cast<const TRpBand*>(&child) && !dynamic_cast<const TRpDataField*>(&child);
}

const PropertyTable& TRpIterateBand::classProperties()
{
    return derivedTable(TRpBand::classProperties(), [](PropertyBuilder& b) {
        b.integer("Columns", &TRpIterateBand::m_columns, 1)
            .floating("ColumnSpacing", &TRpIterateBand::m_columnSpacing)
            .boolean("KeepBodyTogether", &TRpIterateBand::m_keepBodyTogether, false)
            .boolean("KeepRowTogether", &TRpIterateBand::m_keepRowTogether, false)
            .integer("MaxRows", &TRpIterateBand::m_maxRows, 0)
            .boolean("InitToFirst", &TRpIterateBand::m_initToFirst, true)
            .integer("OrphanRows", &TRpIterateBand::m_orphanRows, 0)
            .integer("WidowRows", &TRpIterateBand::m_widowRows, 0)
            .string("DetailKey", &TRpIterateBand::m_detailKey);
    });
}

const PropertyTable& TRpDataBand::classProperties()
{
    return derivedTable(TRpIterateBand::classProperties(), [](PropertyBuilder& b) {
        b.reference("DataView", &TRpDataBand::m_dataView)
            .part(TRpMasterLink::declareProperties)
            .string("SortKey", &TRpDataBand::m_sortKey);
    });
}

const PropertyTable& TRpDataCycle::classProperties()
{
    return derivedTable(TRpReportComponent::classProperties(), [](PropertyBuilder& b) {
        b.reference("DataView", &TRpDataCycle::m_dataView)
            .part(TRpMasterLink::declareProperties)
            .string("DetailKey", &TRpDataCycle::m_detailKey)
            .string("SortKey", &TRpDataCycle::m_sortKey)
            .boolean("InitToFirst", &TRpDataCycle::m_initToFirst, true)
            .integer("MaxRows", &TRpDataCycle::m_maxRows, 0);
    });
}

} // namespace qv::report
