// The probe's window in process, beside a small form standing in for the program: the picker, the key
// chord, and a shown object destroyed by the program.
#include "QXProbeWindow.h"
#include "QXTestSupport.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>

class tst_ProbeWindow : public QObject
{
    Q_OBJECT

    QWidget *form = nullptr;
    QPushButton *button = nullptr;
    TQXProbeWindow *window = nullptr;

    QStringList treeNames() const
    {
        QStringList names;
        auto *tree = window->findChild<QTreeWidget *>();
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            names << (*it)->text(1);
        return names;
    }

private slots:
    void init()
    {
        form = new QWidget;
        form->setObjectName(QStringLiteral("Form"));
        button = new QPushButton(QStringLiteral("Send"), form);
        button->setObjectName(QStringLiteral("SendButton"));
        (new QVBoxLayout(form))->addWidget(button);
        form->show();
        window = new TQXProbeWindow;
    }
    void cleanup()
    {
        delete window;
        delete form;
    }

    void ctrlClickPicksAWidgetInsteadOfReachingIt()
    {
        QSignalSpy pressed(button, &QPushButton::pressed);
        QSignalSpy clicked(button, &QPushButton::clicked);
        QTest::mouseClick(button, Qt::LeftButton, Qt::ControlModifier);
        QXTest::settle();
        QCOMPARE(pressed.count(), 0);
        QCOMPARE(clicked.count(), 0);
        QCOMPARE(window->Selected(), QObjectList { button });
        QCOMPARE(window->InspectedText(), QStringLiteral("QPushButton \"SendButton\""));
        QVERIFY(window->isVisible());

        // Ctrl+Shift+click adds to the selection, which the inspector shows together.
        QTest::mouseClick(form, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier);
        QXTest::settle();
        QCOMPARE(window->Selected().size(), 2);
        QCOMPARE(window->InspectedText(), QStringLiteral("QPushButton \"SendButton\", QWidget \"Form\""));

        // A plain click, a Ctrl+click on the probe's own window and any click with the picker off go
        // where they were aimed.
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
        auto *tree = window->findChild<QTreeWidget *>();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::ControlModifier, QPoint(2, 2));
        QCOMPARE(window->Selected().size(), 2);
        window->SetPicker(false);
        QTest::mouseClick(button, Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(clicked.count(), 2);
    }

    void chordTogglesTheWindow()
    {
        QVERIFY(!window->isVisible());
        QTest::keyClick(button, Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(window->isVisible());
        QTest::keyClick(button, Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!window->isVisible());
        window->SetChord(QKeySequence(Qt::Key_F12));
        QTest::keyClick(button, Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!window->isVisible());
        QTest::keyClick(button, Qt::Key_F12);
        QVERIFY(window->isVisible());
    }

    void destroyedObjectLeavesTreeAndInspector()
    {
        window->Select({ button });
        QXTest::settle();
        QVERIFY(treeNames().contains(QStringLiteral("SendButton")));
        delete button;
        QXTest::settle();
        QVERIFY(!treeNames().contains(QStringLiteral("SendButton")));
        QVERIFY(treeNames().contains(QStringLiteral("Form")));
        QCOMPARE(window->Selected(), QObjectList());
        QCOMPARE(window->InspectedText(), QStringLiteral("nothing"));
    }
};

QTEST_MAIN(tst_ProbeWindow)
#include "tst_probewindow.moc"
