#pragma once

#include "report/snapshot/Stream.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qv {

// Turns a finished snapshot into a file of another format (a PDF, for one). Export
// renderers register themselves by name so that output options can offer them.
class TRvRenderExport {
public:
    virtual ~TRvRenderExport() = default;

    // The name the output options show, such as "PDF file (PDF)".
    virtual std::string DisplayName() const = 0;
    // The file extension with its dot, such as ".pdf".
    virtual std::string FileExtension() const = 0;
    // Replays the snapshot (read from its start) into fileName.
    virtual void PrintRender(TStream& snapshot, const std::string& fileName) = 0;
};

using ExportRendererFactory = std::function<std::unique_ptr<TRvRenderExport>()>;

struct RegisteredExportRenderer {
    std::string displayName;
    std::string fileExtension;
    ExportRendererFactory create;
};

// A later registration under the same name replaces the earlier one.
void registerExportRenderer(const std::string& displayName, const std::string& fileExtension, ExportRendererFactory factory);
const std::vector<RegisteredExportRenderer>& exportRenderers();
// By display name or by file extension (".pdf"), case-insensitively; nullptr when none.
const RegisteredExportRenderer* findExportRenderer(const std::string& nameOrExtension);

} // namespace qv
