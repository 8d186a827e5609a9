#pragma once

#include "report/components/DataObjects.h"
#include "report/components/ReportEnums.h"
#include "report/components/TRpControl.h"

namespace qv::report {

// Where (PrintLoc) and when (PrintOcc) a band prints.
class TRpBandStyle : public RpPersistent {
    QV_RP_CLASS(TRpBandStyle)

public:
    QV_RP_VALUE(std::uint32_t, printLoc, setPrintLoc)
    QV_RP_VALUE(std::uint32_t, printOcc, setPrintOcc)

protected:
    std::uint32_t m_printLoc = 0;
    std::uint32_t m_printOcc = 1;
};

// A horizontal strip of a region holding controls; bands stack inside their region.
class TRpBand : public TRpControl {
    QV_RP_CLASS(TRpBand)

public:
    TRpBand() { m_height = 0.2; m_anchor = 3; }
    bool acceptsChild(const TRpReportComponent& child) const override;

    TRpBandStyle& bandStyle() { return m_bandStyle; }
    const TRpBandStyle& bandStyle() const { return m_bandStyle; }
    QV_RP_REFERENCE(TRpBand, controllerBand, setControllerBand)
    QV_RP_REFERENCE(TRpBaseDataView, groupDataView, setGroupDataView)
    QV_RP_MOVED(std::string, groupKey, setGroupKey)
    QV_RP_VALUE(TRpPositionMode, positionMode, setPositionMode)
    QV_RP_VALUE(double, positionValue, setPositionValue)
    QV_RP_VALUE(double, minHeightLeft, setMinHeightLeft)
    QV_RP_VALUE(bool, allowSplit, setAllowSplit)
    QV_RP_VALUE(bool, startNewPage, setStartNewPage)
    QV_RP_VALUE(bool, finishNewPage, setFinishNewPage)
    QV_RP_VALUE(std::uint32_t, reprintLocs, setReprintLocs)
    QV_RP_VALUE(bool, designerHide, setDesignerHide)

protected:
    TRpBandStyle m_bandStyle;
    RpRef<TRpBand> m_controllerBand;
    RpRef<TRpBaseDataView> m_groupDataView;
    std::string m_groupKey;
    TRpPositionMode m_positionMode = pmOffset;
    double m_positionValue = 0.0;
    double m_minHeightLeft = 0.0;
    bool m_allowSplit = false;
    bool m_startNewPage = false;
    bool m_finishNewPage = false;
    std::uint32_t m_reprintLocs = 255;
    bool m_designerHide = false;
};

// A band that repeats, driving header, footer and group bands around it.
class TRpIterateBand : public TRpBand {
    QV_RP_CLASS(TRpIterateBand)

public:
    QV_RP_VALUE(int, columns, setColumns)
    QV_RP_VALUE(double, columnSpacing, setColumnSpacing)
    QV_RP_VALUE(bool, keepBodyTogether, setKeepBodyTogether)
    QV_RP_VALUE(bool, keepRowTogether, setKeepRowTogether)
    QV_RP_VALUE(int, maxRows, setMaxRows)
    QV_RP_VALUE(bool, initToFirst, setInitToFirst)
    QV_RP_VALUE(int, orphanRows, setOrphanRows)
    QV_RP_VALUE(int, widowRows, setWidowRows)
    QV_RP_MOVED(std::string, detailKey, setDetailKey)

protected:
    int m_columns = 1;
    double m_columnSpacing = 0.0;
    bool m_keepBodyTogether = false;
    bool m_keepRowTogether = false;
    int m_maxRows = 0;
    bool m_initToFirst = true;
    int m_orphanRows = 0;
    int m_widowRows = 0;
    std::string m_detailKey;
};

// An iterate band that prints once per row of its data view.
class TRpDataBand : public TRpIterateBand, public TRpMasterLink {
    QV_RP_CLASS(TRpDataBand)

public:
    QV_RP_REFERENCE(TRpBaseDataView, dataView, setDataView)
    QV_RP_MOVED(std::string, sortKey, setSortKey)

protected:
    RpRef<TRpBaseDataView> m_dataView;
    std::string m_sortKey;
};

// Repeats its page once per row of a data view.
class TRpDataCycle : public TRpReportComponent, public TRpMasterLink {
    QV_RP_CLASS(TRpDataCycle)

public:
    QV_RP_REFERENCE(TRpBaseDataView, dataView, setDataView)
    QV_RP_MOVED(std::string, detailKey, setDetailKey)
    QV_RP_MOVED(std::string, sortKey, setSortKey)
    QV_RP_VALUE(bool, initToFirst, setInitToFirst)
    QV_RP_VALUE(int, maxRows, setMaxRows)

protected:
    RpRef<TRpBaseDataView> m_dataView;
    std::string m_detailKey;
    std::string m_sortKey;
    bool m_initToFirst = true;
    int m_maxRows = 0;
};

} // namespace qv::report
