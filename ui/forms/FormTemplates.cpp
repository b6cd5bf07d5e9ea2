// The forms the program knows, in the order of the document templates. A new form adds its
// template here.

#include "ui/app/FormDocument.h"
#include "ui/forms/Dv1FormDocument.h"
#include "ui/forms/SadFormDocument.h"

namespace tarvex {
namespace {

constexpr const CFormTemplate* kFormTemplates[] = {
    &kSadFormTemplate,
    &kDv1FormTemplate,
};

}  // namespace

std::span<const CFormTemplate* const> FormTemplates() {
    return kFormTemplates;
}

}  // namespace tarvex
