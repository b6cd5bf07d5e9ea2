#pragma once
// The start-up of the program, step by step as the original numbers them: the profile store,
// the language, the recent files, the tooltips, the registry manager and file types, the
// post-installation mode, recovery, the main frame, the field definitions, the file on the
// command line, the maximised frame, the recovery offer or the New dialog, and the splash window.

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "core/settings/Profile.h"

namespace tarvex {

class CTarvexImportApp;

class CStartupSequence {
public:
    explicit CStartupSequence(CTarvexImportApp& app) : m_app(app) {}

    // False: the program ends now (post-installation mode or a failed step).
    bool Run(const QStringList& arguments);
    // The application's part of the end: the recent files and the frame's layout, unless a reset
    // deleted them.
    void SaveAtExit();

    // Steps taken, in order (for diagnosis and tests).
    const QStringList& Steps() const { return m_steps; }

    // How long after the window is shown the start's disk work (settings, file types) follows.
    static constexpr int kDiskWorkAfterShowMs = 300;
    bool DiskWorkDone() const { return m_bDiskWorkDone; }

private:
    void Step(const QString& name) { m_steps.append(name); }

    CTarvexImportApp& m_app;
    QStringList m_steps;
    // What the start writes reaches each settings store in one write, once the window is on the
    // screen.
    std::vector<std::unique_ptr<CProfileBatch>> m_startupWrites;
    bool m_bDiskWorkDone = false;
};

}  // namespace tarvex
