#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qv::report {

// The run-time values of report parameters (a project's Params in a real run).
class ParameterStore {
public:
    virtual ~ParameterStore() = default;
    // Empty when absent.
    virtual std::string get(std::string_view name) const = 0;
    // An empty value removes the parameter.
    virtual void set(const std::string& name, const std::string& value) = 0;
};

// Name=value pairs, names compared case-insensitively.
class ListParameterStore : public ParameterStore {
public:
    std::string get(std::string_view name) const override;
    void set(const std::string& name, const std::string& value) override;
    const std::vector<std::pair<std::string, std::string>>& values() const { return m_values; }

private:
    std::vector<std::pair<std::string, std::string>> m_values;
};

} // namespace qv::report
