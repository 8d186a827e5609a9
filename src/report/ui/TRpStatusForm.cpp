#include "report/ui/TRpStatusForm.h"

#include "report/execution/TRvSystem.h"
#include "report/ui/ReportWindows.h"
#include "runtime/ui/Application.h"

namespace qv {

TRpStatusForm::TRpStatusForm(TRvSystem& system) : m_system(system)
{
    setFont(reportDialogFont());
    setClientSize(361, 113);
    setCaption(system.TitleStatus.empty() ? "Report Status" : system.TitleStatus);
    StatusLabel.setBounds(8, 16, 345, 49);
    StatusLabel.setAlignment(TLabel::Alignment::Center);
    StatusLabel.setFont(reportDialogFont());
    CancelButton.setBounds(144, 78, 75, 25);
    CancelButton.setDefault(true);
    CancelButton.setCancel(true);
    CancelButton.setTabStop(true);
    CancelButton.modalResult = mrCancel;
    CancelButton.onClick = [this] { CancelButtonClick(); };
    setDialogBorder(false);
    centerOnScreen();
}

void TRpStatusForm::SetStatus(const std::string& text)
{
    StatusLabel.setCaption(text);
    if (TApplication::exists())
        TApplication::instance().processMessages();
}

void TRpStatusForm::CancelButtonClick()
{
    m_cancelled = true;
    if (TRvNDRWriter* writer = m_system.Writer())
        writer->Abort();
}

} // namespace qv
