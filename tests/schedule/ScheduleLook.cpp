// A window with the schedule grid of a 30-year loan, for looking at it under a
// real X server: quorvane-schedule-look [seconds]
#include "ScheduleWindow.h"

#include "runtime/core/DateTime.h"
#include "runtime/ui/Timer.h"

#include <cstdlib>

using namespace qv;

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    auto& window = application.createForm<test::ScheduleWindow>();
    window.setCaption("Schedule");
    window.loan.calculate(CalculateInput{"30", "200000", "6", encodeDate(2024, 1, 15)}, window);
    TTimer stop;
    stop.setInterval(1000 * (argc > 1 ? std::atoi(argv[1]) : 5));
    stop.onTimer = [&] { application.terminate(); };
    stop.setEnabled(true);
    application.run();
    return 0;
}
