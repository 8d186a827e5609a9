#include "report/execution/TRvRenderExport.h"

#include "report/components/RpPersistent.h"

#include <algorithm>

namespace qv {

namespace {

std::vector<RegisteredExportRenderer>& registry()
{
    static std::vector<RegisteredExportRenderer> renderers;
    return renderers;
}

} // namespace

void registerExportRenderer(const std::string& displayName, const std::string& fileExtension, ExportRendererFactory factory)
{
    auto& renderers = registry();
    auto it = std::find_if(renderers.begin(), renderers.end(),
        [&](const auto& entry) { return report::sameText(entry.displayName, displayName); });
    RegisteredExportRenderer entry {displayName, fileExtension, std::move(factory)};
    if (it != renderers.end())
        *it = std::move(entry);
    else
        renderers.push_back(std::move(entry));
}

const std::vector<RegisteredExportRenderer>& exportRenderers()
{
    return registry();
}

const RegisteredExportRenderer* findExportRenderer(const std::string& nameOrExtension)
{
    for (const auto& entry : registry()) {
        if (report::sameText(entry.displayName, nameOrExtension) || report::sameText(entry.fileExtension, nameOrExtension))
            return &entry;
    }
    return nullptr;
}

} // namespace qv
