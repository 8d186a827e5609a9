#pragma once

#include "report/data/TRPDataType.h"

#include <string>

namespace qv {

// One field declared by a connection's GetCols handler.
struct TDataConnectFieldDef {
    std::string fieldName;
    std::string alias; // the name the engine sees
    TRPDataType dataType = TRPDataType::dtString;
    bool included = true;
    int fieldIndex = 0;      // position among included fields
    std::string filterValue; // text, or the typed bytes of a fixed-size type; empty: no filter
};

} // namespace qv
