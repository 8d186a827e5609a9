#pragma once

#include <memory>
#include <string>
#include <vector>

namespace qv {

// One described control kind of a skin, found by its section name.
class TbsDataSkinControl {
public:
    explicit TbsDataSkinControl(std::string name) : m_name(std::move(name)) {}
    virtual ~TbsDataSkinControl() = default;
    const std::string& name() const { return m_name; }

private:
    std::string m_name;
};

// The skin model every skinned control binds to. Until a skin is loaded into
// it the model is empty and holds no sections, so every control bound to it
// draws its default look.
class TbsSkinData {
public:
    bool empty() const { return m_empty; }

    // Index of the first section of this exact name, or -1.
    int findSkinControl(const std::string& name) const;
    int skinControlCount() const { return static_cast<int>(m_controls.size()); }
    const TbsDataSkinControl& skinControl(int index) const { return *m_controls.at(index); }

private:
    bool m_empty = true;
    std::vector<std::unique_ptr<TbsDataSkinControl>> m_controls;
};

} // namespace qv
