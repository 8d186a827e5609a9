// Every Qt module brings the core module's headers, so a Qt link leaking from any
// runtime library, not only the windowing one, finds this one.
#include <QObject>
