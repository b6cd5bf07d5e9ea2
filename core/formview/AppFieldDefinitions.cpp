#include "core/formview/AppFieldDefinitions.h"

namespace tarvex {

CFieldDefinitions& AppFieldDefinitions() {
    static CFieldDefinitions defs = [] {
        CFieldDefinitions d;
        d.ResetToBuiltIn();
        return d;
    }();
    return defs;
}

}  // namespace tarvex
