#pragma once
// The splash window: the program's picture with its version over the main window at start-up.
// It goes after "Settings"/"SplashScreen" seconds or at the first key or mouse press anywhere,
// which it consumes.

#include <QImage>
#include <QWidget>

namespace tarvex {

class CSplashWnd : public QWidget {
    Q_OBJECT
public:
    // Shown at once, centred over owner, for the given seconds.
    CSplashWnd(QWidget* owner, const QString& version, int seconds);
    ~CSplashWnd() override;

    // Destroys the window (later, from the event loop) and repaints the owner.
    void Hide();

signals:
    void hidden();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QImage m_picture;
    QString m_version;
    bool m_bHiding = false;
};

}  // namespace tarvex
