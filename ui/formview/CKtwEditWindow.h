#pragma once
// The one text-entry window of a form view: a multi-line edit moved over the active field. The
// texts and formatting words live in the document's field store; this is its window half.

#include <QColor>
#include <QTextEdit>
#include <array>
#include <string>

#include "core/formview/FieldStore.h"
#include "render/sad/SadPageRenderer.h"

class QMenu;

namespace tarvex {

class Profile;

// What the edit window needs from the view that owns it.
class IFormViewOwner {
public:
    virtual ~IFormViewOwner() = default;
    virtual void UpdateStatusText() = 0;
    // Scrolls by logical units (y upward, so a negative dy moves down the form).
    virtual void ScrollLogicalBy(int dx, int dy) = 0;
    virtual QPoint DeviceScrollPosition() const = 0;
    virtual void WheelFromEditor(QWheelEvent* event) = 0;
    virtual void SetDocumentModified() = 0;
    // The context menu of resource `menuId`, owned by the caller; nullptr for none.
    virtual QMenu* CreateContextMenu(int menuId, QWidget* parent) = 0;
    // Tab and Shift+Tab belong to the view's navigation commands.
    virtual void NavigateFromEditor(bool forward) = 0;
    // Accelerators that reach the edit window (Ctrl+Z centres, Alt+Backspace undoes, ...);
    // true when the view handled the command.
    virtual bool EditorCommand(int id) = 0;
};

class CKtwEditWindow : public QTextEdit, public IEditWindow {
    Q_OBJECT
public:
    CKtwEditWindow(CFieldStore& store, Profile* profile, QWidget* parent);
    ~CKtwEditWindow() override;

    bool CreateEditor(IFormViewOwner* owner, int ctrlId, int menuId);
    bool CreateEditorEx(IFormViewOwner* owner, int ctrlId, int menuId, double dpi, int zoom, QColor text,
                        QColor back);
    // The edit fonts for a zoom; the view's renderer draws and prints the other fields.
    void CreateScreenFonts(double dpi, int zoom);

    void SetTextColour(QColor c);
    void SetBackColour(QColor c);
    void SetColours(QColor text, QColor back) {
        SetTextColour(text);
        SetBackColour(back);
    }
    QColor BackColour() const { return m_crBack; }

    void PasteText();
    void EnsureVisible();
    int GetInsertMode() const { return m_store.GetInsertMode(); }
    void SetInsertMode(bool on) { m_store.SetInsertMode(on); }
    const QFont& EditFont(int size, bool bold) const {
        return m_editFonts[static_cast<size_t>(size * 2 + bold)];
    }
    CFieldStore& Store() { return m_store; }
    int CtrlId() const { return m_nCtrlId; }

    // IEditWindow
    bool HasWindow() const override { return m_bCreated; }
    std::u16string WindowText() const override;
    void SetWindowText(const std::u16string& text) override;
    void ShowField(uint16_t index, uint16_t page) override;

    // Command of the accelerator a key press stands for, 0 if none.
    static int AcceleratorCommand(const QKeyEvent& e);

    // The window's position follows the view's scroll position.
    void FollowScroll();
    // Alignment style of the window (0, 0x100, 0x200) and how often it was re-created for a
    // change of it.
    uint16_t StyleAlignment() const { return m_styleAlign; }
    int StyleChanges() const { return m_styleChanges; }

protected:
    // The form views' edit windows pass page keys and the wheel to the view and refresh its
    // status after Insert; the plain control keeps them.
    virtual bool ForwardsToView() const { return false; }
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void insertFromMimeData(const QMimeData* source) override;

    // The edit font of a formatting word's size (a size beyond the five keeps the font).
    void ApplyFieldFont(uint16_t flags);

    CFieldStore& m_store;
    Profile* m_pProfile;
    IFormViewOwner* m_pOwner = nullptr;
    int m_nCtrlId = 0;
    bool m_bMenuManager = false;
    int m_nMenuId = 0;
    bool m_bCreated = false;
    bool m_bSettingText = false;
    bool m_bPasting = false;
    QColor m_crText{0, 0, 255};
    QColor m_crBack{255, 255, 255};
    uint16_t m_styleAlign = 0;
    int m_styleChanges = 0;
    std::array<QFont, 10> m_editFonts;
};

// The SAD view's edit window: the Insert key refreshes the view's status panes; page keys and
// the mouse wheel scroll the view.
class CKTWEditWindow_EHP : public CKtwEditWindow {
    Q_OBJECT
public:
    using CKtwEditWindow::CKtwEditWindow;

protected:
    bool ForwardsToView() const override { return true; }
};

// The D.V.1 view's edit window: the same keys reach the view as in the SAD view.
class CKTWEditWindow_DV1 : public CKtwEditWindow {
    Q_OBJECT
public:
    using CKtwEditWindow::CKtwEditWindow;

protected:
    bool ForwardsToView() const override { return true; }
};

}  // namespace tarvex
