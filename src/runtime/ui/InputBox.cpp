#include "runtime/ui/InputBox.h"

#include <algorithm>

namespace qv {

namespace {
TInputQueryForm* g_current = nullptr;
} // namespace

TInputQueryForm::TInputQueryForm(const std::string& caption, const std::string& prompt, const std::string& value)
{
    setCaption(caption);
    Prompt.setCaption(prompt);
    int const width = std::max(260, Prompt.textWidth() + 24);
    setClientSize(width, 104);
    Prompt.setBounds(12, 10, width - 24, 16);
    Edit.setBounds(12, 30, width - 24, 22);
    Edit.setText(value);
    OKButton.setBounds(width - 172, 66, 75, 25);
    OKButton.setDefault(true);
    OKButton.modalResult = mrOk;
    CancelButton.setBounds(width - 87, 66, 75, 25);
    CancelButton.setCancel(true);
    CancelButton.modalResult = mrCancel;
    setDialogBorder();
    centerOnScreen();
}

bool inputQuery(const std::string& caption, const std::string& prompt, std::string& value)
{
    TInputQueryForm form(caption, prompt, value);
    TInputQueryForm* outer = g_current;
    g_current = &form;
    form.onShow = [&form] {
        form.Edit.setFocus();
        form.Edit.selectAll();
    };
    int const result = form.showModal();
    g_current = outer;
    if (result != mrOk)
        return false;
    value = form.Edit.text();
    return true;
}

TInputQueryForm* currentInputQuery() { return g_current; }

} // namespace qv
