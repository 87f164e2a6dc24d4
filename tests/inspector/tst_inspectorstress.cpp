// A seeded random walk over an inspector whose objects change and die under it: objects are deleted,
// added and removed, sub-objects replaced, collections shrunk, rows edited with good and bad texts,
// layouts switched, rows expanded, rescans and refreshes run. After every step the inspector must still
// be whole: every row readable and refreshable without touching freed memory (the sanitizer build
// watches this), the grid's lines in step with the shown rows, and every row of a fresh scan resolving
// on the objects it was built from.
#include "QXTestSupport.h"
#include "helper_fixtures.h"

#include <QXInspector/QXObjectInspector.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>

#include <vector>

using namespace QXPlatform;

namespace {

using QXTest::settle;
// The walk writes arbitrary texts into Qt's own widgets, which complain about some of them.
QtMessageHandler previousMessageHandler = nullptr;
void silence(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if ((type == QtFatalMsg || type == QtInfoMsg) && previousMessageHandler)
        previousMessageHandler(type, context, message);
}

enum class Kind { Sample, Holder, Profile, Node, LineEdit, Button, CheckBox };

const char *const texts[] = {
    "",
    "abc",
    "0",
    "1",
    "-1",
    "7",
    "255",
    "99999999999999999999",
    "1e400",
    "True",
    "False",
    "Yes",
    "[A,C]",
    "A,C",
    "[opFirst,opThird]",
    "opSecond",
    "[]",
    "[Z]",
    "clRed",
    "alTop",
    "alNowhere",
    "2.5",
    "1,5",
    "  12  ",
};

} // namespace

class tst_InspectorStress : public QObject
{
    Q_OBJECT

    TQXObjectInspector *inspector = nullptr;
    QRandomGenerator random;
    // Everything the walk made; entries read null once their object is gone.
    std::vector<QPointer<QObject>> objects;
    std::vector<QPointer<Part>> parts; // pieces of profiles; nobody hears of their deletion
    Part *sharedPart = nullptr; // shared by some holders, so it outlives them
    QStringList handled;
    TExceptionHandler previousHandler;
    int rejectedEdits = 0;
    int failedRefreshes = 0;
    int steps = 0;
    int edits = 0;
    qint64 rowsSeen = 0;

    int below(int n) { return n > 0 ? int(random.bounded(quint32(n))) : 0; }
    bool chance(int percent) { return below(100) < percent; }

    /// A live object of class T, mostly one that is inspected.
    template<class T> T *pick()
    {
        std::vector<T *> found;
        if (chance(75)) {
            TQXInspectorObjects *list = inspector->Objects();
            for (int i = 0; i < list->Count(); ++i)
                if (auto *typed = qobject_cast<T *>(list->Items(i)->Objects()))
                    found.push_back(typed);
        }
        if (found.empty())
            for (const QPointer<QObject> &object : objects)
                if (auto *typed = qobject_cast<T *>(object.data()))
                    found.push_back(typed);
        return found.empty() ? nullptr : found[size_t(below(int(found.size())))];
    }
    QObject *pickAny()
    {
        std::vector<QObject *> live;
        for (const QPointer<QObject> &object : objects)
            if (object)
                live.push_back(object);
        return live.empty() ? nullptr : live[size_t(below(int(live.size())))];
    }
    Part *newPart()
    {
        auto *part = new Part;
        part->Size = below(50);
        parts.emplace_back(part);
        return part;
    }

    QObject *make() { return make(Kind(below(7))); }
    QObject *make(Kind kind)
    {
        QObject *object = nullptr;
        switch (kind) {
        case Kind::Sample: {
            auto *sample = new Sample;
            sample->Caption = QStringLiteral("s%1").arg(below(3)); // equal or differing in case
            if (chance(30))
                sample->Caption = sample->Caption.toUpper();
            sample->Tag = below(3);
            for (int i = below(4); i > 0; --i)
                sample->AddItem(QStringLiteral("item%1").arg(i), i);
            if (chance(60)) // a component reference, opened in place unless it is inspected itself
                sample->SetBuddy(chance(50) ? pickAny() : make(chance(50) ? Kind::Node : Kind::LineEdit));
            object = sample;
            break;
        }
        case Kind::Holder:
            object = new PartHolder(chance(50) ? sharedPart : nullptr);
            break;
        case Kind::Profile: {
            auto *profile = new Profile;
            profile->Members = Profile::TMembers::fromInt(below(8));
            profile->Caption = QStringLiteral("p%1").arg(below(2));
            if (chance(80))
                profile->SetPiece(newPart());
            object = profile;
            break;
        }
        case Kind::Node:
            object = new Node;
            break;
        case Kind::LineEdit:
            object = new QLineEdit(QStringLiteral("line"));
            break;
        case Kind::Button:
            object = new QPushButton(QStringLiteral("push"));
            break;
        case Kind::CheckBox:
            object = new QCheckBox(QStringLiteral("check"));
            break;
        }
        object->setObjectName(QStringLiteral("o%1").arg(objects.size()));
        objects.emplace_back(object);
        return object;
    }

    // ------------------------------------------------------------------------------------------------
    // The steps

    void deleteAnObject()
    {
        if (chance(30)) {
            // the piece of a profile: nobody hears of it
            if (Profile *profile = pick<Profile>(); profile && profile->Piece()) {
                FreeObject(profile->Piece());
                return;
            }
        }
        if (QObject *object = pick<QObject>())
            FreeObject(object);
    }
    static Kind kindOf(const QObject *object)
    {
        if (qobject_cast<const Sample *>(object))
            return Kind::Sample;
        if (qobject_cast<const PartHolder *>(object))
            return Kind::Holder;
        if (qobject_cast<const Profile *>(object))
            return Kind::Profile;
        if (qobject_cast<const Node *>(object))
            return Kind::Node;
        if (qobject_cast<const QLineEdit *>(object))
            return Kind::LineEdit;
        if (qobject_cast<const QPushButton *>(object))
            return Kind::Button;
        return Kind::CheckBox;
    }
    /// Like a click on an object, or a Ctrl+click on a few of one kind: a new selection replaces the old.
    void inspectANewSelection()
    {
        const Kind kind = Kind(below(7));
        std::vector<QObject *> same;
        for (const QPointer<QObject> &object : objects)
            if (object && kindOf(object) == kind)
                same.push_back(object);
        inspector->Objects()->BeginUpdate();
        inspector->Objects()->Clear();
        for (int i = 1 + below(3); i > 0; --i)
            inspector->Objects()->Add(!same.empty() && chance(50) ? same[size_t(below(int(same.size())))]
                                                                  : make(kind));
        inspector->Objects()->EndUpdate();
        if (chance(50))
            settle();
    }
    void addObjects()
    {
        if (chance(30)) {
            // several at once, in one batch
            inspector->Objects()->BeginUpdate();
            for (int i = 1 + below(3); i > 0; --i)
                inspector->Objects()->Add(chance(20) ? pickAny() : make());
            if (chance(20))
                inspector->Objects()->Add(); // an entry without an object
            inspector->Objects()->EndUpdate();
            return;
        }
        // Mostly one more of the kind already shown, so that the objects keep properties in common.
        TQXInspectorObjects *list = inspector->Objects();
        QObject *first = list->Count() > 0 ? list->Items(0)->Objects() : nullptr;
        QObject *object = first && chance(85) ? make(kindOf(first)) : chance(50) ? make() : pickAny();
        if (object)
            list->Add(object);
    }
    void removeAnObject()
    {
        TQXInspectorObjects *list = inspector->Objects();
        if (list->Count() == 0)
            return;
        if (chance(20)) {
            list->Clear();
            return;
        }
        TQXInspectorObject *entry = list->Items(below(list->Count()));
        if (chance(70) && entry->Objects())
            list->Remove(entry->Objects());
        else
            list->Delete(entry->Index()); // the entry goes; the rows stay until the queued rescan
    }
    void editARow()
    {
        const int count = inspector->GetItemCount();
        if (count == 0)
            return;
        TQXItemProperty *row = inspector->GetItem(below(count));
        if (row->Category() || (row->IsReadOnly() && !chance(10)))
            return;
        QString text;
        if (row->HasPickList() && row->GetPickList()->Count() > 0 && chance(50))
            text = row->GetPickList()->Strings(below(row->GetPickList()->Count()));
        else if (chance(40))
            text = QString::number(below(400) - 5);
        else if (chance(15))
            text = row->GetValue();
        else
            text = QString::fromLatin1(texts[below(int(std::size(texts)))]);
        // Widgets shown as windows would only slow the walk down.
        if (row->Name() == QLatin1String("visible") || row->Name() == QLatin1String("windowState"))
            return;
        ++edits;
        row->SetValue(text);
        try {
            row->Validate();
        } catch (const EAbort &) { }
    }
    void expandRows()
    {
        const int count = inspector->GetItemCount();
        if (count == 0)
            return;
        if (chance(10)) {
            chance(70) ? inspector->FullExpand() : inspector->FullCollapse();
            return;
        }
        TQXItemProperty *row = inspector->GetItem(below(count));
        chance(75) ? row->Expand() : row->Collapse();
    }
    void changeObjectsUnderTheRows()
    {
        // Mostly a change that the shown rows depend on: what the first inspected object is decides.
        TQXInspectorObjects *list = inspector->Objects();
        QObject *first = list->Count() > 0 ? list->Items(0)->Objects() : nullptr;
        int change = below(4);
        if (first && chance(70)) {
            switch (kindOf(first)) {
            case Kind::Sample:
                change = chance(50) ? 0 : 2;
                break;
            case Kind::Profile:
                change = 1;
                break;
            case Kind::Node:
                change = 3;
                break;
            default:
                break;
            }
        }
        switch (change) {
        case 0:
            if (Sample *sample = pick<Sample>()) {
                if (sample->Items()->Count() > 0 && chance(60))
                    sample->Items()->Delete(below(sample->Items()->Count()));
                else
                    sample->AddItem(QStringLiteral("added"));
            }
            break;
        case 1:
            if (Profile *profile = pick<Profile>())
                profile->SetPiece(chance(60) ? newPart() : nullptr);
            break;
        case 2:
            // Often an object of another class: the rows below the reference no longer fit it.
            if (Sample *sample = pick<Sample>())
                sample->SetBuddy(chance(20)       ? nullptr
                                     : chance(50) ? pickAny()
                                                  : make(chance(50) ? Kind::Node : Kind::Button));
            break;
        default:
            if (Node *node = pick<Node>())
                node->SetNext(chance(70) ? pick<Node>() : nullptr);
            break;
        }
    }
    void selectAndRead()
    {
        const int shown = inspector->GetVisibleItemCount();
        if (shown == 0)
            return;
        TQXItemProperty *row = inspector->GetVisibleItem(below(shown));
        inspector->SetSelected(row);
        const int lines = inspector->GetGridCount(0);
        if (lines > 1)
            inspector->SetCol(1 + below(lines - 1));
        (void)row->GetValue();
        if (row->TypeKind() == tkClass && (row->IsRealProperty() || row->PropertyKind() == pkCollectionItem))
            (void)row->GetObjectProperty(-1);
    }
    void toggleAnOption()
    {
        switch (below(5)) {
        case 0:
            inspector->SetDisplayOptions(inspector->DisplayOptions()
                                         ^ TQXCustomItemListEditor::doMultiColValues);
            break;
        case 1:
            inspector->SetArrangeByCategory(!inspector->ArrangeByCategory());
            break;
        case 2:
            inspector->SetInplaceCollections(!inspector->InplaceCollections());
            break;
        case 3:
            inspector->SetDynamicTitleCaptions(!inspector->DynamicTitleCaptions());
            break;
        default:
            inspector->Filters()->SetText(inspector->Filters()->Count() > 0 ? QString()
                                                                            : QStringLiteral("Font"));
            break;
        }
    }

    void step()
    {
        const int roll = below(100);
        if (roll < 8 || inspector->Objects()->Count() > 5)
            inspectANewSelection();
        else if (roll < 13)
            deleteAnObject();
        else if (roll < 17)
            addObjects();
        else if (roll < 21)
            removeAnObject();
        else if (roll < 48)
            editARow();
        else if (roll < 60)
            settle();
        else if (roll < 65)
            rescanAndCheckEveryRowResolves();
        else if (roll < 72)
            toggleAnOption();
        else if (roll < 76)
            expandRows();
        else if (roll < 85)
            changeObjectsUnderTheRows();
        else if (roll < 91)
            selectAndRead();
        else if (roll < 95)
            inspector->RefreshProperties();
        else if (roll < 97)
            (void)inspector->grab(); // paints the cells: fonts ask every shown object
        else
            inspector->Objects()->Add(pickAny()); // often one of another class: little in common
    }

    // ------------------------------------------------------------------------------------------------
    // What must hold after every step

    void checkTheGrid()
    {
        const int shown = inspector->GetVisibleItemCount();
        QCOMPARE(inspector->GetGridCount(3), inspector->GetGridCount(5) + qMax(1, shown));
        for (int line = 0; line < inspector->GetGridCount(0); ++line)
            (void)inspector->GetCell(line, 0); // titles name the shown objects
        for (int i = 0; i < shown; ++i) {
            TQXItemProperty *row = inspector->GetVisibleItem(i);
            QCOMPARE(row->GetAbsoluteVIndex(), i);
            QVERIFY(row->IsVisible());
            for (int line = 0; line < inspector->GetGridCount(0); ++line)
                (void)inspector->GetCell(line, i + inspector->FixedRows());
        }
    }
    void checkEveryRowRefreshes()
    {
        // A row whose object went away, or now holds an object of another class, reports it; it never
        // raises, and never reads what is gone.
        TQXItemProperty *current = nullptr;
        try {
            // Top rows first, as the inspector does; then every row, children included.
            TQXItemProperties *top = inspector->GetItems();
            for (int i = 0; i < top->Count(); ++i) {
                current = top->Items(i);
                if (!current->RefreshValue())
                    ++failedRefreshes;
            }
            for (int i = 0; i < inspector->GetItemCount(); ++i) {
                current = inspector->GetItem(i);
                if (!current->RefreshValue())
                    ++failedRefreshes;
                (void)current->GetValueFont();
                (void)current->GetIndividualValueFont(0);
                // An object a row hands out is alive: asking it its class reads it.
                if (current->TypeKind() == tkClass
                    && (current->IsRealProperty() || current->PropertyKind() == pkCollectionItem))
                    for (int b = 0; b < inspector->ShownObjectCount(); ++b)
                        if (QObject *held = current->GetObjectProperty(b))
                            QVERIFY(!ClassNameOf(held).isEmpty());
            }
        } catch (const Exception &e) {
            QFAIL(qPrintable(
                QStringLiteral("reading %1 raised %2: %3")
                    .arg(current ? current->GetFullPathPropName() : QString(), e.ClassName(), e.Message())));
        }
    }
    /// Right after a scan every row resolves on every object it was built from, and refreshes.
    void rescanAndCheckEveryRowResolves()
    {
        inspector->Rescan();
        settle();
        if (inspector->GetItemCount() == 0)
            return;
        if (inspector->DisplayOptions() & TQXCustomItemListEditor::doMultiColValues)
            QCOMPARE(inspector->GetGridCount(0), inspector->ShownObjectCount() + 1);
        for (int i = 0; i < inspector->GetItemCount(); ++i) {
            TQXItemProperty *row = inspector->GetItem(i);
            if (!row->IsRealProperty())
                continue;
            for (int b = 0; b < inspector->ShownObjectCount(); ++b) {
                QObject *object = inspector->ShownObject(b);
                QVERIFY2(object, "a fresh scan shows only live objects");
                QString path = row->GetFullPathPropName();
                QVERIFY2(inspector->GetInstance(object, path, row), qPrintable(row->GetFullPathPropName()));
                QCOMPARE(path, row->RealPropName());
            }
            QVERIFY2(row->RefreshValue(), qPrintable(row->GetFullPathPropName()));
        }
    }

    void freeEverything()
    {
        FreeAndNil(inspector);
        for (QPointer<QObject> &object : objects)
            FreeObject(object.data()); // holders go before the part they share
        objects.clear();
        for (QPointer<Part> &part : parts)
            FreeObject(part.data());
        parts.clear();
        FreeObject(std::exchange(sharedPart, nullptr));
        settle();
    }

private slots:
    void initTestCase() { previousMessageHandler = qInstallMessageHandler(silence); }
    void cleanupTestCase() { qInstallMessageHandler(previousMessageHandler); }
    void cleanup()
    {
        freeEverything();
        SetExceptionHandler(std::exchange(previousHandler, nullptr));
    }

    void randomWalk_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("stepCount");
        for (quint32 seed : { 1u, 7u, 2024u, 4099u })
            QTest::addRow("seed %u", seed) << seed << 300;
    }
    void randomWalk()
    {
        QFETCH(quint32, seed);
        QFETCH(int, stepCount);
        random.seed(seed);
        handled.clear();
        rejectedEdits = failedRefreshes = edits = 0;
        rowsSeen = 0;
        previousHandler
            = SetExceptionHandler([this](std::exception_ptr e) { handled << ExceptionMessage(e); });
        sharedPart = new Part;
        inspector = Create<TQXObjectInspector>();
        inspector->resize(360, 480);
        inspector->OnValidateError
            = [this](QObject *, TQXItemProp *, int, const Exception &) { ++rejectedEdits; };
        for (int i = 0; i < 4; ++i)
            inspector->Objects()->Add(make());
        settle();

        for (steps = 0; steps < stepCount; ++steps) {
            try {
                step();
                // Mostly the event loop runs between two actions of the user; sometimes it does not.
                if (chance(60))
                    settle();
            } catch (const std::exception &e) {
                QFAIL(qPrintable(
                    QStringLiteral("step %1 raised: %2").arg(steps).arg(QString::fromUtf8(e.what()))));
            }
            checkTheGrid();
            checkEveryRowRefreshes();
            rowsSeen += inspector->GetItemCount();
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(
                    QStringLiteral("invariant broken after step %1 of seed %2").arg(steps).arg(seed)));
        }
        rescanAndCheckEveryRowResolves();
        freeEverything();
        qInfo("seed %u: %d rows on average, %d edits (%d rejected), %d refreshes that found a path gone, "
              "%d errors from queued work",
              seed, int(rowsSeen / stepCount), edits, rejectedEdits, failedRefreshes, int(handled.size()));
        // Queued rescans and refreshes reach no error of their own; rejected texts went to OnValidateError.
        QVERIFY2(handled.isEmpty(), qPrintable(handled.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(tst_InspectorStress)
#include "tst_inspectorstress.moc"
