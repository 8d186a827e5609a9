#include "skin/dialogs/DialogTexts.h"

#include "skin/model/SkinData.h"

namespace qv {

std::string dialogText(const TbsSkinData* model, const std::string& key, const std::string& builtIn)
{
    if (!model || !model->ResourceStrData())
        return builtIn;
    std::string text = model->ResourceStrData()->GetResStr(key);
    return text.empty() ? builtIn : text;
}

} // namespace qv
