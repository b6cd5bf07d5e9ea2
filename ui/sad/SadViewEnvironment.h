#pragma once
// The SAD view's name for what a form view needs from the application.

#include "ui/formview/FormViewEnvironment.h"

namespace tarvex {

using SadViewEnvironment = FormViewEnvironment;

}  // namespace tarvex
