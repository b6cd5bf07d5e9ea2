// The forms as the shell sees them: the registration and the contract every form's document
// keeps, checked for each registered form alike, so that a new form is held to it at once.

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/common/AppFixture.h"
#include "ui/app/DocumentManager.h"
#include "ui/app/DocumentWindows.h"
#include "ui/app/FormDocument.h"
#include "ui/formview/CFormView.h"

using namespace tarvex;
using namespace tarvex::testutil;

class TestFormDocument : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CTarvexImportApp> m_app;
    QStringList m_messages;

    static void AddFormRows() {
        QTest::addColumn<int>("index");
        for (size_t i = 0; i < FormTemplates().size(); ++i)
            QTest::newRow(qPrintable(FormTemplates()[i]->Kind())) << static_cast<int>(i);
    }

private slots:
    void initTestCase() { m_app = StartTestApp({}, -1, &m_messages); }
    void cleanupTestCase() { m_app.reset(); }

    void registrationFindsEachFormOnce() {
        QCOMPARE(FormTemplates().size(), size_t(2));
        QSet<QString> kinds;
        QSet<int> menus;
        for (const CFormTemplate* form : FormTemplates()) {
            QVERIFY(form->create);
            QVERIFY(!form->newEntries.empty());
            // By extension in any case, by recovery kind, by every New-dialog result it offers.
            QCOMPARE(&FormTemplateForPath(QStringLiteral("/x/a") + form->Extension().toUpper()), form);
            QCOMPARE(FormTemplateForKind(form->Kind()), form);
            for (const NewDialogEntry& entry : form->newEntries)
                QCOMPARE(&FormTemplateForVariant(entry.result), form);
            kinds.insert(form->Kind());
            menus.insert(form->menuResource);
        }
        QCOMPARE(kinds, (QSet<QString>{QStringLiteral("aef"), QStringLiteral("fdv")}));
        QCOMPARE(menus.size(), 2);
        // Only the file name's own extension counts; anything else is offered to the first form,
        // a recovery copy of an unknown kind to none.
        const struct {
            const char* path;
            const char* kind;
        } paths[] = {{"/x/A.FDV", "fdv"},     {"/x/a.aef", "aef"},     {"/x.fdv/a.txt", "aef"},
                     {"/x.fdv/noext", "aef"}, {"/x/a.fdv.bak", "aef"}, {"a.Fdv", "fdv"}};
        for (const auto& c : paths)
            QCOMPARE(FormTemplateForPath(QString::fromLatin1(c.path)).Kind(), QString::fromLatin1(c.kind));
        QCOMPARE(FormTemplateForVariant(99).Kind(), QStringLiteral("fdv"));
        QCOMPARE(FormTemplateForVariant(7).Kind(), QStringLiteral("aef"));
        QCOMPARE(FormTemplateForKind(QStringLiteral("txt")), nullptr);
        QCOMPARE(FormTemplateForKind(QString()), nullptr);
        QCOMPARE(FormTemplateForPath(QStringLiteral("a.aef")).UntitledTitle(3), QStringLiteral("EhForm3"));
        QCOMPARE(FormTemplateForPath(QStringLiteral("a.fdv")).UntitledTitle(12), QStringLiteral("DV1form12"));
    }

    void documentKeepsTheContract_data() { AddFormRows(); }
    void documentKeepsTheContract() {
        QFETCH(int, index);
        const CFormTemplate& form = *FormTemplates()[static_cast<size_t>(index)];
        QTemporaryDir dir;
        std::unique_ptr<IFormDocument> doc = form.create(*m_app);
        doc->OnNewDocument(form.newEntries.front().result);
        QVERIFY(!doc->IsModified());

        // The flag is announced once per change, not per call.
        QSignalSpy announced(doc.get(), &IFormDocument::modifiedChanged);
        doc->SetModified(true);
        doc->SetModified(true);
        QVERIFY(doc->IsModified());
        QCOMPARE(announced.count(), 1);
        doc->SetModified(false);
        QCOMPARE(announced.count(), 2);

        // Saved and read back: the same state, unmodified.
        const QString path = dir.filePath(QStringLiteral("doc") + form.Extension());
        QString error;
        QVERIFY2(doc->Save(path, error), qPrintable(error));
        std::unique_ptr<IFormDocument> back = form.create(*m_app);
        QString message;
        QCOMPARE(back->Load(path, message), IFormDocument::LoadResult::Ok);
        QVERIFY(!back->IsModified());
        QVERIFY(back->CaptureState() == doc->CaptureState());

        // The recovery copy is a file of the form that reads back to the same state.
        const QString copy = dir.filePath(QStringLiteral("copy.") + form.Kind());
        QFile out(copy);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(doc->RecoveryImage());
        out.close();
        std::unique_ptr<IFormDocument> recovered = form.create(*m_app);
        QCOMPARE(recovered->Load(copy, message), IFormDocument::LoadResult::Ok);
        QVERIFY(recovered->CaptureState() == doc->CaptureState());

        // A missing file is unreadable; a document of another form is never taken for this one.
        QCOMPARE(form.create(*m_app)->Load(dir.filePath(QStringLiteral("none") + form.Extension()), message),
                 IFormDocument::LoadResult::Unreadable);
        for (const CFormTemplate* other : FormTemplates()) {
            if (other == &form) continue;
            std::unique_ptr<IFormDocument> foreign = other->create(*m_app);
            foreign->OnNewDocument(other->newEntries.front().result);
            const QString foreignPath = dir.filePath(QStringLiteral("foreign") + other->Extension());
            QVERIFY2(foreign->Save(foreignPath, error), qPrintable(error));
            QVERIFY(form.create(*m_app)->Load(foreignPath, message) != IFormDocument::LoadResult::Ok);
            QVERIFY(!message.isEmpty());
        }
    }

    // The window shows what the document announces: the "*" and a recovery copy on its way.
    void windowFollowsTheDocument_data() { AddFormRows(); }
    void windowFollowsTheDocument() {
        QFETCH(int, index);
        const CFormTemplate& form = *FormTemplates()[static_cast<size_t>(index)];
        CChildFrame* child = m_app->Documents().CreateNewDocument(form.newEntries.front().result);
        QVERIFY(child);
        QCOMPARE(&child->Form(), &form);
        QVERIFY(child->View());
        QCOMPARE(child->View(), static_cast<QWidget*>(child->Document().View()));
        QVERIFY(!child->isWindowModified());
        child->Document().SetModified(true);
        QVERIFY(child->isWindowModified());
        QVERIFY(child->RecoveryPending());
        child->Document().SetModified(false);
        QVERIFY(!child->isWindowModified());
        QVERIFY(child->CloseWithoutAsking());
        QVERIFY(m_messages.isEmpty());
    }
};

QTEST_MAIN(TestFormDocument)
#include "tst_formdocument.moc"
