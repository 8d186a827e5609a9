#pragma once

#include "report/components/DataObjects.h"
#include "report/components/ReportEnums.h"
#include "report/components/TRpControl.h"

namespace qv::report {

// Where (PrintLoc) and when (PrintOcc) a band prints.
class TRpBandStyle : public RpPersistent {
    QV_RP_CLASS(TRpBandStyle)

public:
    std::uint32_t printLoc() const { return m_printLoc; }
    void setPrintLoc(std::uint32_t value) { m_printLoc = value; }
    std::uint32_t printOcc() const { return m_printOcc; }
    void setPrintOcc(std::uint32_t value) { m_printOcc = value; }

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
    TRpBand* controllerBand() const { return m_controllerBand.get(); }
    void setControllerBand(TRpBand* value) { m_controllerBand = value; }
    TRpBaseDataView* groupDataView() const { return m_groupDataView.get(); }
    void setGroupDataView(TRpBaseDataView* value) { m_groupDataView = value; }
    const std::string& groupKey() const { return m_groupKey; }
    void setGroupKey(std::string value) { m_groupKey = std::move(value); }
    TRpPositionMode positionMode() const { return m_positionMode; }
    void setPositionMode(TRpPositionMode value) { m_positionMode = value; }
    double positionValue() const { return m_positionValue; }
    void setPositionValue(double value) { m_positionValue = value; }
    double minHeightLeft() const { return m_minHeightLeft; }
    void setMinHeightLeft(double value) { m_minHeightLeft = value; }
    bool allowSplit() const { return m_allowSplit; }
    void setAllowSplit(bool value) { m_allowSplit = value; }
    bool startNewPage() const { return m_startNewPage; }
    void setStartNewPage(bool value) { m_startNewPage = value; }
    bool finishNewPage() const { return m_finishNewPage; }
    void setFinishNewPage(bool value) { m_finishNewPage = value; }
    std::uint32_t reprintLocs() const { return m_reprintLocs; }
    void setReprintLocs(std::uint32_t value) { m_reprintLocs = value; }
    bool designerHide() const { return m_designerHide; }
    void setDesignerHide(bool value) { m_designerHide = value; }

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
    int columns() const { return m_columns; }
    void setColumns(int value) { m_columns = value; }
    double columnSpacing() const { return m_columnSpacing; }
    void setColumnSpacing(double value) { m_columnSpacing = value; }
    bool keepBodyTogether() const { return m_keepBodyTogether; }
    void setKeepBodyTogether(bool value) { m_keepBodyTogether = value; }
    bool keepRowTogether() const { return m_keepRowTogether; }
    void setKeepRowTogether(bool value) { m_keepRowTogether = value; }
    int maxRows() const { return m_maxRows; }
    void setMaxRows(int value) { m_maxRows = value; }
    bool initToFirst() const { return m_initToFirst; }
    void setInitToFirst(bool value) { m_initToFirst = value; }
    int orphanRows() const { return m_orphanRows; }
    void setOrphanRows(int value) { m_orphanRows = value; }
    int widowRows() const { return m_widowRows; }
    void setWidowRows(int value) { m_widowRows = value; }
    const std::string& detailKey() const { return m_detailKey; }
    void setDetailKey(std::string value) { m_detailKey = std::move(value); }

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
    TRpBaseDataView* dataView() const { return m_dataView.get(); }
    void setDataView(TRpBaseDataView* value) { m_dataView = value; }
    const std::string& sortKey() const { return m_sortKey; }
    void setSortKey(std::string value) { m_sortKey = std::move(value); }

protected:
    RpRef<TRpBaseDataView> m_dataView;
    std::string m_sortKey;
};

// Repeats its page once per row of a data view.
class TRpDataCycle : public TRpReportComponent, public TRpMasterLink {
    QV_RP_CLASS(TRpDataCycle)

public:
    TRpBaseDataView* dataView() const { return m_dataView.get(); }
    void setDataView(TRpBaseDataView* value) { m_dataView = value; }
    const std::string& detailKey() const { return m_detailKey; }
    void setDetailKey(std::string value) { m_detailKey = std::move(value); }
    const std::string& sortKey() const { return m_sortKey; }
    void setSortKey(std::string value) { m_sortKey = std::move(value); }
    bool initToFirst() const { return m_initToFirst; }
    void setInitToFirst(bool value) { m_initToFirst = value; }
    int maxRows() const { return m_maxRows; }
    void setMaxRows(int value) { m_maxRows = value; }

protected:
    RpRef<TRpBaseDataView> m_dataView;
    std::string m_detailKey;
    std::string m_sortKey;
    bool m_initToFirst = true;
    int m_maxRows = 0;
};

} // namespace qv::report
