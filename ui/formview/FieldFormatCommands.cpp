#include "ui/formview/FieldFormatCommands.h"

#include "core/common/CommandIds.h"
#include "core/formview/FieldStore.h"
#include "core/sad/SadEditStrings.h"
#include "ui/formview/CommandState.h"

namespace tarvex {

bool RunFieldFormatCommand(CFieldStore& store, int id) {
    switch (id) {
        case cmd::kFontLarger:
            store.FontBigger();
            return true;
        case cmd::kFontSmaller:
            store.FontSmaller();
            return true;
        case cmd::kFontBold:
            store.ToggleBold();
            return true;
        case cmd::kAlignLeft:
            store.SetLeftCurrent();
            return true;
        case cmd::kAlignCenter:
            store.SetCentredCurrent();
            return true;
        case cmd::kAlignRight:
            store.SetRightCurrent();
            return true;
        default:
            return false;
    }
}

bool FieldFormatCommandState(const CFieldStore& store, int id, bool inField, CommandState& s) {
    switch (id) {
        case cmd::kInsertMode:
            s.text = store.GetInsertMode() ? QString::fromUtf16(sadeditstr::kInsertModeOff)
                                           : QString::fromUtf16(sadeditstr::kInsertModeOn);
            return true;
        case cmd::kFontLarger:
            s.enabled = inField && store.CanFontBigger();
            return true;
        case cmd::kFontSmaller:
            s.enabled = inField && store.CanFontSmaller();
            return true;
        case cmd::kFontBold:
            s.enabled = inField;
            s.checkable = true;
            s.checked = inField && store.IsBoldCurrent();
            return true;
        case cmd::kAlignLeft:
        case cmd::kAlignCenter:
        case cmd::kAlignRight:
            s.enabled = inField;
            s.checkable = s.radio = true;
            s.checked = inField && (id == cmd::kAlignLeft     ? store.IsLeftCurrent()
                                    : id == cmd::kAlignCenter ? store.IsCentredCurrent()
                                                              : store.IsRightCurrent());
            return true;
        default:
            return false;
    }
}

}  // namespace tarvex
