#pragma once

#include "runtime/ui/Accessible.h"

#include <string>
#include <vector>

namespace qv {

class TControl;

// A control or part as the platform's accessibility layer reports it to a
// screen reader, with the screen reader's words for roles and actions.
struct TAccessibleNode {
    std::string role;
    std::string name;
    std::string description;
    std::string value;
    std::string shortcut;
    unsigned states = 0;
    std::vector<std::string> actions;
    std::vector<TAccessibleNode> children;

    bool has(unsigned state) const { return (states & state) == state; }
    // The first node, depth first, of that role (and name, unless empty); null when none.
    const TAccessibleNode* find(const std::string& role, const std::string& name = {}) const;
    std::vector<const TAccessibleNode*> findAll(const std::string& role) const;
};

// The control and what lies under it, depth levels deep; a table's cells are left out.
TAccessibleNode accessibleTree(const TControl& control, int depth = 16);
TAccessibleNode accessibleFocusChild(const TControl& control);

// A table as a screen reader reads it; row and column count from 0.
int accessibleTableRows(const TControl& control);
int accessibleTableColumns(const TControl& control);
TAccessibleNode accessibleTableCell(const TControl& control, int row, int col);
std::string accessibleColumnHeader(const TControl& control, int col);

// Runs an action as a screen reader does, on the control (empty path) or on the
// part at path (child indexes, level by level); false when there is no such action.
bool accessibleDoAction(const TControl& control, const std::vector<int>& path, TAccessibleAction action);

// Records the events the controls send while it exists.
class TAccessibleEventLog {
public:
    struct Entry {
        std::string event;
        std::string role;
        std::string name;
    };
    TAccessibleEventLog();
    ~TAccessibleEventLog();
    TAccessibleEventLog(const TAccessibleEventLog&) = delete;
    TAccessibleEventLog& operator=(const TAccessibleEventLog&) = delete;

    const std::vector<Entry>& entries() const { return m_entries; }
    bool contains(const std::string& event, const std::string& name) const;
    void clear() { m_entries.clear(); }

private:
    std::vector<Entry> m_entries;
};

} // namespace qv
