// One start-up for the start-up comparison (bench/skin/startup.sh): a window with
// one label, bare ("bare") or with the stored skin inflated, parsed and bound to
// the label ("skinned"). The process ends once the label has painted on screen.

#include "runtime/ui/Application.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/Timer.h"
#include "skin/controls/SkinLabels.h"
#include "skin/model/SkinData.h"
#include "skin/store/CompressedStoredSkin.h"

#include "skin/quorvane/QuorvaneSkin.h"

#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

using namespace qv;

class ProbeLabel : public TbsSkinStdLabel {
public:
    using TbsSkinStdLabel::TbsSkinStdLabel;
    bool painted = false;

protected:
    void paint(Canvas& canvas) override
    {
        TbsSkinStdLabel::paint(canvas);
        painted = true;
    }
};

class ProbeForm : public TForm {
public:
    explicit ProbeForm(bool skinned)
    {
        setCaption("Quorvane");
        setClientSize(320, 120);
        label.setCaption("Monthly payment");
        label.setBounds(16, 16, 200, 20);
        if (!skinned)
            return;
        store.setCompressedData(std::string(quorvaneCompressedSkin()));
        skin.setCompressedStoredSkin(&store);
        label.setSkinData(&skin);
    }
    TbsCompressedStoredSkin store;
    TbsSkinData skin;
    ProbeLabel label{this};
};

} // namespace

int main(int argc, char** argv)
{
    bool skinned = argc > 1 && std::strcmp(argv[1], "skinned") == 0;
    TApplication app(argc, argv);
    auto& form = app.createForm<ProbeForm>(skinned);
    form.showAndRaise();
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!form.label.painted && std::chrono::steady_clock::now() < deadline)
        app.processMessages();
    if (!form.label.painted) {
        std::fputs("startup_probe: the label never painted\n", stderr);
        return 1;
    }
    return 0;
}
