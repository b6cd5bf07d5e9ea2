#pragma once
// "Fenster": the open document windows, to bring one to the front, save or close it.

#include <QDialog>

class QListWidget;

namespace tarvex {

class CMainFrame;

class CDlgWindowList : public QDialog {
    Q_OBJECT
public:
    explicit CDlgWindowList(CMainFrame* frame);
    QListWidget* List() const { return m_list; }

    void ActivateSelected();
    void SaveSelected();
    void CloseSelected();

private:
    void Fill();

    CMainFrame* m_frame;
    QListWidget* m_list;
};

}  // namespace tarvex
