#pragma once
// The application's two working field-definition tables. They start as the built-in tables; the
// application loads the stored ones at start-up and after the dialog is cancelled.

#include "core/formview/FieldDefinitions.h"

namespace tarvex {

CFieldDefinitions& AppFieldDefinitions();

}  // namespace tarvex
