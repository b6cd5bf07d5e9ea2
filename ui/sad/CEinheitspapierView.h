#pragma once
// The SAD view: one page of the document at a time as a true-to-scale picture of the paper form,
// with the field edit window over the active box. The document owns the texts (its field
// store); the view lays out, draws, turns clicks into field activations and reports its page
// and insert mode through statusTextChanged.

#include <QColor>
#include <QString>
#include <functional>
#include <memory>

#include "core/common/CommandIds.h"
#include "core/common/HelpContexts.h"
#include "core/formview/PrintCorrections.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/FieldDefinitions.h"
#include "core/sad/SadLayout.h"
#include "render/sad/SadPageRenderer.h"
#include "ui/formview/CFormView.h"
#include "ui/formview/CKtwEditWindow.h"
#include "ui/sad/SadViewEnvironment.h"

class QMenu;

namespace tarvex {

class CSadViewInput;

class CEinheitspapierView : public CFormViewOf<CEinheitspapierDoc> {
    Q_OBJECT
public:
    // The application's help context while an SAD view is in front and no box has set its own.
    static constexpr int kHelpContextView = help::kSadView;

    // The view works with its own copy of the field definitions: opening a document marks the
    // crossed-out boxes of its form in it, which must not reach the stored table or other windows.
    CEinheitspapierView(CEinheitspapierDoc* doc, SadViewEnvironment env, const CFieldDefinitions& definitions,
                        QWidget* parent = nullptr);
    ~CEinheitspapierView() override;

    const CFieldDefinitions& Definitions() const { return m_definitions; }
    CKTWEditWindow_EHP* EditWindow() const { return m_pEdit; }
    // Field navigation, page and variant commands, F2 and the box dialogs.
    CSadViewInput& Input() const { return *m_input; }

    // The initial-update steps (messages of the load, variant, box 8 defaults, crossed-out field
    // definitions); the constructor runs them once.
    void OnInitialUpdate();
    // After the document's store was read anew while the view exists.
    void ReloadFromStore();
    // Rebuilds the zoom-dependent layout when it is not valid.
    void PrepareLayout() override;
    // Logical (zoomed) rectangle of a field, top and bottom positive; an unknown index reads
    // field 0.
    SadRect GetFieldRect(int field, int page) const;

    // Moves the caret to a field and shows it.
    virtual void GoToField(int field, int page);
    // Shows another page: the edited text goes into the store, the new page's field 0 gets the caret.
    void ShowPage(int page);
    // The field under a viewport point, or -1 (uneditable fields do not count).
    int HitTest(const QPoint& viewportPos) const;

    // Options the renderer gets for the page shown.
    SadRenderOptions RenderOptions() const;
    // Reads the display settings (stamps, crossed-out boxes, text colour) that every paint uses;
    // at creation and after a dialog that changes them, not at each paint (the store syncs from
    // disk on every read).
    void ReadDisplaySettings();
    // The form defaults were stored: their stamp switches act at once in this window too.
    void ApplyFormDefaults(bool stampA, bool stampC);
    const CSadPageRenderer& Renderer() const { return m_renderer; }

    QString StatusPageText() const override;
    QString StatusInsertText() const override;

    // IFormViewOwner
    void NavigateFromEditor(bool forward) override;

protected:
    void paintEvent(QPaintEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

    // CFormView
    void CommitEdit() override;
    bool FormCommand(int id) override;
    bool FormCommandState(int id, CommandState& state) const override;
    bool ClickableAt(const QPoint& viewportPos) const override;
    int OverflowingFieldAt(const QPoint& device) const override;

private:
    void StoreFieldRects();

    CFieldDefinitions m_definitions;
    CKTWEditWindow_EHP* m_pEdit = nullptr;
    std::unique_ptr<CSadViewInput> m_input;
    CSadPageRenderer m_renderer;
    SadRenderOptions m_displayOptions;
    int m_nOwnVariant = 0;  // the current variant when nobody outside keeps one
};

}  // namespace tarvex
