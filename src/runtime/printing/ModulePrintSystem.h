#pragma once

#include "runtime/printing/PrintSystem.h"

#include <string>

namespace qv {

namespace printdriver {
class Driver;
}

// The desktop's printers through the print module, loaded by the first call that needs a
// printer and kept for the life of the process. A module that cannot be loaded leaves no
// printers, and unavailableReason() says why.
class ModulePrintSystem final : public PrintSystem {
public:
    explicit ModulePrintSystem(std::string modulePath);
    ModulePrintSystem(const ModulePrintSystem&) = delete;
    ModulePrintSystem& operator=(const ModulePrintSystem&) = delete;

    std::vector<PrinterEntry> printers() override;
    std::unique_ptr<PrinterContext> open(const std::string& printerName) override;
    std::string unavailableReason() override;

private:
    printdriver::Driver* driver();

    std::string m_modulePath;
    bool m_tried = false;
    printdriver::Driver* m_driver = nullptr;
    std::string m_failure;
};

// Where the program's print module lies, from the executable's folder.
std::string printModulePath();

} // namespace qv
