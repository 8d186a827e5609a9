#pragma once

#include "runtime/ui/Form.h"
#include "runtime/ui/StdControls.h"

#include <string>

namespace qv {

// The question for one line of text: a prompt above an edit, OK and Cancel.
class TInputQueryForm : public TForm {
public:
    TInputQueryForm(const std::string& caption, const std::string& prompt, const std::string& value);

    TLabel Prompt {this};
    TEdit Edit {this};
    TButton OKButton {this, "OK"};
    TButton CancelButton {this, "Cancel"};
};

// Shows the question modally with value as the text to start from; true for OK, with
// value then holding the typed text.
bool inputQuery(const std::string& caption, const std::string& prompt, std::string& value);
// The question on screen now, if any (for scripted runs and tests).
TInputQueryForm* currentInputQuery();

} // namespace qv
