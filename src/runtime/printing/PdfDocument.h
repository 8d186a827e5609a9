#pragma once

#include "runtime/graphics/Canvas.h"

#include <memory>
#include <string>

namespace qv {

// A PDF file written page by page through a canvas. Coordinates are device pixels at
// the document's resolution.
class PdfDocument {
public:
    // Raises EInOutError when the file cannot be created.
    PdfDocument(const std::string& fileName, const std::string& title, int resolution = 600);
    ~PdfDocument();
    PdfDocument(const PdfDocument&) = delete;
    PdfDocument& operator=(const PdfDocument&) = delete;

    int resolution() const { return m_resolution; }
    // Starts a page of this size in inches; the canvas is valid until endPage.
    Canvas& beginPage(double widthInches, double heightInches);
    void endPage();
    // Completes the file; raises EInOutError when it could not be written.
    void finish();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    int m_resolution;
};

} // namespace qv
