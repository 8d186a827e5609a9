#pragma once

// The component classes by name, for headers that only pass them around.
namespace qv::report {

class RpPersistent;
class TRpProjectItem;
class TRpReport;
class TRpReportComponent;

} // namespace qv::report
