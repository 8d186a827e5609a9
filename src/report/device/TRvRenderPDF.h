#pragma once

#include "report/execution/TRvRenderExport.h"

namespace qv {

// Exports a snapshot as a PDF file, drawn by the canvas renderer's rules.
class TRvRenderPDF : public TRvRenderExport {
public:
    static constexpr const char* displayName = "PDF file (PDF)";
    static constexpr int resolution = 600;

    std::string DisplayName() const override { return displayName; }
    std::string FileExtension() const override { return ".pdf"; }
    void PrintRender(TStream& snapshot, const std::string& fileName) override;
};

// Offers the PDF renderer to report systems (a file destination with its display name).
void registerPdfExportRenderer();

} // namespace qv
