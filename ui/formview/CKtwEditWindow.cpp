#include "ui/formview/CKtwEditWindow.h"

#include <QAbstractScrollArea>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

#include "core/app/ShellCommands.h"
#include "core/formview/EditTextRules.h"
#include "core/formview/FormViewStrings.h"
#include "core/formview/FormZoom.h"
#include "core/formview/PrintCorrections.h"
#include "core/settings/Profile.h"
#include "core/settings/SettingsKeys.h"

namespace tarvex {

namespace {

// The key as the accelerator table spells it ("Ctrl+End", "Ctrl+NumPlus", "Shift+Tab"); empty
// for keys the table cannot hold.
std::string AcceleratorKeys(const QKeyEvent& e) {
    const Qt::KeyboardModifiers m = e.modifiers();
    const bool keypad = m & Qt::KeypadModifier;
    bool shift = m & Qt::ShiftModifier;
    std::string key;
    const int k = e.key();
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        key = std::string(1, static_cast<char>('A' + (k - Qt::Key_A)));
    else if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        key = "F" + std::to_string(k - Qt::Key_F1 + 1);
    else {
        switch (k) {
            // Plus needs Shift on some keyboards; the command is the same.
            case Qt::Key_Plus:
                key = keypad ? "NumPlus" : "Plus";
                shift = false;
                break;
            case Qt::Key_Minus:
                key = keypad ? "NumMinus" : "Minus";
                break;
            case Qt::Key_Home:
                key = "Home";
                break;
            case Qt::Key_End:
                key = "End";
                break;
            case Qt::Key_Left:
                key = "Left";
                break;
            case Qt::Key_Right:
                key = "Right";
                break;
            case Qt::Key_Insert:
                key = "Ins";
                break;
            case Qt::Key_Delete:
                key = "Del";
                break;
            case Qt::Key_Backspace:
                key = "Backspace";
                break;
            case Qt::Key_Tab:
                key = "Tab";
                break;
            case Qt::Key_Backtab:
                key = "Tab";
                shift = true;
                break;
            default:
                return {};
        }
    }
    std::string keys;
    if (m & Qt::ControlModifier) keys += "Ctrl+";
    if (shift) keys += "Shift+";
    if (m & Qt::AltModifier) keys += "Alt+";
    return keys + key;
}

// Keys the edit window keeps for itself: its editing commands, Tab and Shift+Tab, and Ctrl+S,
// which first takes the typed text into the store.
bool IsEditingCommand(int id) {
    switch (id) {
        case cmd::kCopy:
        case cmd::kCut:
        case cmd::kPaste:
        case cmd::kSelectAll:
        case cmd::kUndo:
        case cmd::kRedo:
        case cmd::kAlignLeft:
        case cmd::kAlignCenter:
        case cmd::kAlignRight:
        case cmd::kNextField:
        case cmd::kPrevField:
        case cmd::kSave:
            return true;
        default:
            return false;
    }
}

}  // namespace

CKtwEditWindow::CKtwEditWindow(CFieldStore& store, Profile* profile, QWidget* parent)
    : QTextEdit(parent), m_store(store), m_pProfile(profile) {
    setAcceptRichText(false);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);
    document()->setDocumentMargin(0);
    viewport()->setCursor(Qt::IBeamCursor);
    hide();
    connect(this, &QTextEdit::textChanged, this, [this] {
        // Only what the user changes marks the document; moving between fields does not.
        if (!m_bSettingText && m_pOwner) m_pOwner->SetDocumentModified();
    });
    m_store.AttachWindow(this);
}

CKtwEditWindow::~CKtwEditWindow() {
    if (m_store.Window() == this) m_store.AttachWindow(nullptr);
}

bool CKtwEditWindow::CreateEditor(IFormViewOwner* owner, int ctrlId, int menuId) {
    m_pOwner = owner;
    m_nCtrlId = ctrlId;
    m_bMenuManager = menuId != 0;
    m_nMenuId = menuId;
    if (m_store.GetFieldCount1() == 0) {
        m_store.SetFieldCounts(1, 0, true);
        m_store.ActivateField(0, 1);
    }
    setGeometry(10, 10, 10, 10);
    // From now on every activation copies the window text into the field being left, so the
    // window must start with that field's stored text, not empty.
    SetWindowText(m_store.GetFieldText(m_store.GetCurrentField(), m_store.GetCurrentPage()));
    m_bCreated = true;
    show();
    return true;
}

bool CKtwEditWindow::CreateEditorEx(IFormViewOwner* owner, int ctrlId, int menuId, double dpi, int zoom,
                                    QColor text, QColor back) {
    SetColours(text, back);
    if (!CreateEditor(owner, ctrlId, menuId)) return false;
    CreateScreenFonts(dpi, zoom);
    return true;
}

void CKtwEditWindow::CreateScreenFonts(double dpi, int zoom) {
    for (int s = 0; s < 5; ++s) {
        for (int b = 0; b < 2; ++b) {
            const int h = ScreenFontHeight(m_pProfile, settings::kEFont, s, b != 0, zoom);
            const int px = HimetricToPixels(h * 10, static_cast<int>(dpi + 0.5));
            m_editFonts[static_cast<size_t>(s * 2 + b)] = ArialCellHeight(px, b ? 700 : 400);
        }
    }
}

void CKtwEditWindow::SetTextColour(QColor c) {
    m_crText = c;
    QPalette pal = palette();
    pal.setColor(QPalette::Text, c);
    setPalette(pal);
}

void CKtwEditWindow::SetBackColour(QColor c) {
    m_crBack = c;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, c);
    setPalette(pal);
}

std::u16string CKtwEditWindow::WindowText() const {
    return WindowToStoreText(toPlainText().toStdU16String());
}

void CKtwEditWindow::SetWindowText(const std::u16string& text) {
    m_bSettingText = true;
    setPlainText(QString::fromStdU16String(StoreToWindowText(text)));
    m_bSettingText = false;
}

void CKtwEditWindow::ShowField(uint16_t index, uint16_t page) {
    if (!m_bCreated) return;
    SetWindowText(u"");
    FieldRect r;
    if (page == 1)
        m_store.GetFieldRect1(index, r);
    else
        m_store.GetFieldRect2(index, r);
    const QPoint scroll = m_pOwner ? m_pOwner->DeviceScrollPosition() : QPoint();
    const QRect geom(QPoint(r.left - scroll.x(), r.top - scroll.y()),
                     QPoint(r.right - scroll.x() - 1, r.bottom - scroll.y() - 1));
    const uint16_t flags = m_store.GetFieldFlags(index, page);
    const uint16_t align = flags & kFlagAlignMask;
    const uint16_t style = (align == kAlignCentre || align == kAlignRight) ? align : kAlignLeft;
    if (style != m_styleAlign) {
        // The alignment is part of the window's style: a change re-creates it with the new one.
        m_styleAlign = style;
        ++m_styleChanges;
        QTextOption opt = document()->defaultTextOption();
        opt.setAlignment(style == kAlignCentre  ? Qt::AlignHCenter
                         : style == kAlignRight ? Qt::AlignRight
                                                : Qt::AlignLeft);
        document()->setDefaultTextOption(opt);
    }
    setGeometry(geom);
    ApplyFieldFont(flags);
    SetWindowText(m_store.GetFieldText(index, page));
    moveCursor(QTextCursor::End);
    show();
    setFocus(Qt::OtherFocusReason);
    // A text longer than its box starts with its first line, as the view draws it: scrolled to
    // the caret at its end, the window would hide the first lines and repeat the last one over
    // the lines the view draws below the box.
    verticalScrollBar()->setValue(0);
}

void CKtwEditWindow::FollowScroll() {
    if (!m_bCreated) return;
    FieldRect r;
    const uint16_t page = m_store.GetCurrentPage();
    if (page == 1)
        m_store.GetFieldRect1(m_store.GetCurrentField(), r);
    else
        m_store.GetFieldRect2(m_store.GetCurrentField(), r);
    const QPoint scroll = m_pOwner ? m_pOwner->DeviceScrollPosition() : QPoint();
    move(r.left - scroll.x(), r.top - scroll.y());
}

void CKtwEditWindow::keyPressEvent(QKeyEvent* e) {
    const int key = e->key();
    if (key == Qt::Key_Insert && e->modifiers() == Qt::NoModifier) {
        m_store.SetInsertMode(!m_store.GetInsertMode());
        if (ForwardsToView() && m_pOwner) m_pOwner->UpdateStatusText();
        return;
    }
    if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && m_pOwner) {
        m_pOwner->NavigateFromEditor(key == Qt::Key_Tab && !(e->modifiers() & Qt::ShiftModifier));
        return;
    }
    // The accelerators win over the edit control's own keys (Ctrl+Z centres, Ctrl+End shows the
    // last page). Those of the frame arrive here only when no frame shortcut took them.
    if (const int id = AcceleratorCommand(*e); id && m_pOwner) {
        // An Alt key of a command this form does not have (Alt+J in an SAD) types nothing either.
        if (m_pOwner->EditorCommand(id) || (e->modifiers() & Qt::AltModifier)) return;
    }
    // A character message: printable text, Backspace or Enter (not with Ctrl or Alt).
    const bool ctrlAlt = e->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    const bool isChar =
        !ctrlAlt && (key == Qt::Key_Backspace || key == Qt::Key_Return || key == Qt::Key_Enter ||
                     (!e->text().isEmpty() && e->text().at(0).isPrint()));
    const bool hadSelection = textCursor().hasSelection();
    QTextEdit::keyPressEvent(e);
    if (isChar && !hadSelection && !m_store.GetInsertMode()) {
        // Overwrite mode: the character after the caret goes.
        QTextCursor c = textCursor();
        c.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
        if (c.hasSelection()) c.insertText(QString());
        setTextCursor(c);
        ensureCursorVisible();
    }
    if (ForwardsToView() && m_pOwner) {
        if (key == Qt::Key_PageDown)
            m_pOwner->ScrollLogicalBy(0, -kPageKeyStep);
        else if (key == Qt::Key_PageUp)
            m_pOwner->ScrollLogicalBy(0, kPageKeyStep);
    }
}

int CKtwEditWindow::AcceleratorCommand(const QKeyEvent& e) {
    const std::string keys = AcceleratorKeys(e);
    return keys.empty() ? 0 : CommandForAccelerator(keys);
}

void CKtwEditWindow::ApplyFieldFont(uint16_t flags) {
    const int size = flags & kFlagSizeMask;
    if (size > 4) return;
    setFont(m_editFonts[static_cast<size_t>(size * 2 + ((flags & kFlagBold) ? 1 : 0))]);
}

bool CKtwEditWindow::event(QEvent* e) {
    if (e->type() == QEvent::Polish || e->type() == QEvent::StyleChange || e->type() == QEvent::Show) {
        // Under the application's style sheet the window is styled anew when its view moves into
        // a document window, and a font set before is replaced by the inherited one: the field's
        // font goes on again.
        const bool result = QTextEdit::event(e);
        if (m_bCreated)
            ApplyFieldFont(m_store.GetFieldFlags(m_store.GetCurrentField(), m_store.GetCurrentPage()));
        return result;
    }
    if (e->type() == QEvent::ShortcutOverride && m_pOwner) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (const int id = AcceleratorCommand(*key)) {
            // The edit control would take Ctrl+Home, Ctrl+Right and the like for moving the caret;
            // every accelerator but the editing keys goes to the frame's shortcut instead.
            key->setAccepted(IsEditingCommand(id));
            return true;
        }
    }
    return QTextEdit::event(e);
}

void CKtwEditWindow::wheelEvent(QWheelEvent* e) {
    if (ForwardsToView() && m_pOwner)
        m_pOwner->WheelFromEditor(e);
    else
        QTextEdit::wheelEvent(e);
}

void CKtwEditWindow::contextMenuEvent(QContextMenuEvent* e) {
    QMenu* menu = nullptr;
    if (m_bMenuManager && m_pOwner) menu = m_pOwner->CreateContextMenu(m_nMenuId, this);
    if (!menu) {
        menu = new QMenu(this);
        menu->addAction(QString::fromUtf16(formviewstr::kMenuCut), this, &QTextEdit::cut);
        menu->addAction(QString::fromUtf16(formviewstr::kMenuCopy), this, &QTextEdit::copy);
        menu->addAction(QString::fromUtf16(formviewstr::kMenuPaste), this, [this] { PasteText(); });
    }
    menu->exec(e->globalPos());
    delete menu;
}

void CKtwEditWindow::insertFromMimeData(const QMimeData* source) {
    QTextEdit::insertFromMimeData(source);
    if (m_bPasting) return;
    // Every paste, also by the edit control's own keys, gets the clean-up.
    m_bPasting = true;
    const std::u16string text = CleanPastedText(m_store.GetCurrentText());
    m_store.SetCurrentText(text);
    moveCursor(QTextCursor::End);
    m_bPasting = false;
}

void CKtwEditWindow::PasteText() {
    // The edit control pastes at the caret; the clean-up follows in insertFromMimeData.
    paste();
}

void CKtwEditWindow::EnsureVisible() {
    auto* view = m_pOwner ? dynamic_cast<QAbstractScrollArea*>(parentWidget() ? parentWidget()->parentWidget()
                                                                              : nullptr)
                          : nullptr;
    if (!view) return;
    auto viewRect = [&] {
        return QRect(view->viewport()->mapToGlobal(QPoint(0, 0)), view->viewport()->size());
    };
    auto editRect = [&] { return QRect(mapToGlobal(QPoint(0, 0)), size()); };
    // Each loop stops as soon as a step leaves the scroll position unchanged (the end of the
    // scroll range), so a field larger than the view cannot hold it forever.
    auto step = [&](int dx, int dy) {
        const QPoint before = m_pOwner->DeviceScrollPosition();
        m_pOwner->ScrollLogicalBy(dx, dy);
        return m_pOwner->DeviceScrollPosition() != before;
    };
    while (editRect().bottom() > viewRect().bottom() && editRect().top() - 50 > viewRect().top())
        if (!step(0, -150)) break;
    while (editRect().top() < viewRect().top()) {
        if (editRect().top() > -200) {
            const QPoint before = m_pOwner->DeviceScrollPosition();
            m_pOwner->ScrollLogicalBy(0, 1 << 20);  // to the top
            if (m_pOwner->DeviceScrollPosition() == before) break;
        } else if (!step(0, 150)) {
            break;
        }
    }
    while (editRect().right() > viewRect().right() - 20)
        if (!step(150, 0)) break;
    while (editRect().left() < viewRect().left())
        if (!step(-150, 0)) break;
}

}  // namespace tarvex
