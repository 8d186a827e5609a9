#include "report/project/ClassRegistry.h"

#include "report/components/BarCodes.h"
#include "report/components/Bands.h"
#include "report/components/Calculations.h"
#include "report/components/DataFields.h"
#include "report/components/DataObjects.h"
#include "report/components/DrawingControls.h"
#include "report/components/Images.h"
#include "report/components/StandardComponents.h"
#include "report/components/TRpRegion.h"
#include "report/components/TRpReport.h"
#include "report/components/TextControls.h"
#include "report/project/TRpProjectManager.h"

#include <mutex>

namespace qv::report {

RpClassRegistry& RpClassRegistry::instance()
{
    static RpClassRegistry registry;
    return registry;
}

void RpClassRegistry::registerClass(std::string group, std::string name, ComponentFactory factory)
{
    for (auto& existing : m_classes) {
        if (sameText(existing.name, name)) {
            existing = { std::move(group), std::move(name), std::move(factory) };
            return;
        }
    }
    m_classes.push_back({ std::move(group), std::move(name), std::move(factory) });
}

const RegisteredClass* RpClassRegistry::find(std::string_view name) const
{
    for (auto& registered : m_classes) {
        if (sameText(registered.name, name))
            return &registered;
    }
    return nullptr;
}

std::vector<const RegisteredClass*> RpClassRegistry::classesOf(std::string_view group) const
{
    std::vector<const RegisteredClass*> found;
    for (auto& registered : m_classes) {
        if (registered.group == group)
            found.push_back(&registered);
    }
    return found;
}

namespace {

void registerAll(RpClassRegistry& r)
{
    r.registerClass<TRpProjectManager>("Project");
    r.registerClass<TRpReport>("Project");
    r.registerClass<TRpPage>("Project");

    r.registerClass<TRpDataView>("Data");
    r.registerClass<TRpDriverDataView>("Data");
    r.registerClass<TRpDatabase>("Data");
    r.registerClass<TRpSimpleSecurity>("Data");
    r.registerClass<TRpLookupSecurity>("Data");
    r.registerClass<TRpStringField>("Data");
    r.registerClass<TRpIntegerField>("Data");
    r.registerClass<TRpInt64Field>("Data");
    r.registerClass<TRpBooleanField>("Data");
    r.registerClass<TRpFloatField>("Data");
    r.registerClass<TRpCurrencyField>("Data");
    r.registerClass<TRpBCDField>("Data");
    r.registerClass<TRpDateTimeField>("Data");
    r.registerClass<TRpDateField>("Data");
    r.registerClass<TRpTimeField>("Data");
    r.registerClass<TRpBlobField>("Data");
    r.registerClass<TRpMemoField>("Data");
    r.registerClass<TRpGraphicField>("Data");

    r.registerClass<TRpFontMaster>("Standard");
    r.registerClass<TRpPageNumInit>("Standard");
    r.registerClass<TRpText>("Standard");
    r.registerClass<TRpMemo>("Standard");
    r.registerClass<TRpSection>("Standard");
    r.registerClass<TRpBitmap>("Standard");
    r.registerClass<TRpMetaFile>("Standard");

    r.registerClass<TRpRegion>("Report");
    r.registerClass<TRpBand>("Report");
    r.registerClass<TRpIterateBand>("Report");
    r.registerClass<TRpDataBand>("Report");
    r.registerClass<TRpDataCycle>("Report");

    r.registerClass<TRpLine>("Drawing");
    r.registerClass<TRpHLine>("Drawing");
    r.registerClass<TRpVLine>("Drawing");
    r.registerClass<TRpRectangle>("Drawing");
    r.registerClass<TRpSquare>("Drawing");
    r.registerClass<TRpEllipse>("Drawing");
    r.registerClass<TRpCircle>("Drawing");

    r.registerClass<TRpDataText>("Data Aware");
    r.registerClass<TRpDataMemo>("Data Aware");
    r.registerClass<TRpCalcText>("Data Aware");
    r.registerClass<TRpCalcOp>("Data Aware");
    r.registerClass<TRpCalcTotal>("Data Aware");
    r.registerClass<TRpCalcController>("Data Aware");
    r.registerClass<TRpDataMirrorSection>("Data Aware");

    r.registerClass<TRpPostNetBarCode>("Bar Code");
    r.registerClass<TRpI2of5BarCode>("Bar Code");
    r.registerClass<TRpCode39BarCode>("Bar Code");
    r.registerClass<TRpCode128BarCode>("Bar Code");
    r.registerClass<TRpUPCBarCode>("Bar Code");
    r.registerClass<TRpEANBarCode>("Bar Code");
}

} // namespace

void registerReportClasses()
{
    static std::once_flag once;
    std::call_once(once, [] { registerAll(RpClassRegistry::instance()); });
}

} // namespace qv::report
