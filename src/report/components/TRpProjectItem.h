#pragma once

#include "report/components/TRpReportComponent.h"

namespace qv::report {

// A unit of a project that the file stores as one item: a report, a page, a data object,
// or the project itself. References between items go through item names.
class TRpProjectItem : public TRpReportComponent {
    QV_RP_CLASS(TRpProjectItem)

public:
    bool isProjectItem() const override { return true; }
    TRpProjectItem* ownerItem() const override { return m_ownerItem; }
    void setOwnerItem(TRpProjectItem* owner) { m_ownerItem = owner; }

    // A component that belongs to this item, by name (case-insensitive).
    virtual TRpReportComponent* findComponent(std::string_view name) const { return findDescendant(name); }

    const std::string& fullName() const { return m_fullName; }
    void setFullName(std::string text) { m_fullName = std::move(text); }
    const std::string& description() const { return m_description; }
    void setDescription(std::string text) { m_description = std::move(text); }

    // The item's compiled event-script module, kept as stored.
    const std::vector<std::uint8_t>& module() const { return m_module; }
    void setModule(std::vector<std::uint8_t> bytes) { m_module = std::move(bytes); }

    bool definesProperty(std::string_view name) const override;
    void readDefinedProperty(std::string_view name, std::vector<std::uint8_t> payload) override;
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> definedPropertyValues() const override;

protected:
    std::string m_fullName;
    std::string m_description;
    std::vector<std::uint8_t> m_module;

private:
    TRpProjectItem* m_ownerItem = nullptr;
};

// The names of the parameters and PIVars a run is given: a part of pages, reports and
// the project.
class TRpRunInputs {
public:
    QV_RP_MOVED(std::vector<std::string>, parameters, setParameters)
    QV_RP_MOVED(std::vector<std::string>, piVars, setPIVars)

    // Parameters, then PIVars.
    static void declareProperties(PropertyBuilder& builder);

protected:
    ~TRpRunInputs() = default;

    std::vector<std::string> m_parameters;
    std::vector<std::string> m_piVars;
};

} // namespace qv::report
