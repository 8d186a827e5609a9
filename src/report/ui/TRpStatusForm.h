#pragma once

#include "runtime/ui/Form.h"
#include "runtime/ui/StdControls.h"

#include <string>

namespace qv {

class TRvSystem;

// Counts the pages while a run generates them; Cancel stops the run.
class TRpStatusForm : public TForm {
public:
    explicit TRpStatusForm(TRvSystem& system);

    TLabel StatusLabel {this};
    TButton CancelButton {this, "Cancel"};

    // New text for the label; pending messages run so Cancel can be pressed meanwhile.
    void SetStatus(const std::string& text);
    bool Cancelled() const { return m_cancelled; }

private:
    void CancelButtonClick();

    TRvSystem& m_system;
    bool m_cancelled = false;
};

} // namespace qv
