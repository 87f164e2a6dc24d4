// Delta fonts: a value font that follows the grid's font and keeps what the user changed on it, through
// reference changes, resets, assignment and a missing reference.
#include <QXInspector/QXCustomDeltaFont.h>

#include <QTest>

using namespace QXPlatform;

namespace {

// The grid side of the arrangement: it owns the reference font, answers the value font's question for
// it and tells the value font whenever the reference changes.
struct Grid
{
    TFont font;
    TQXCustomDeltaFont valueFont;
    int valueChanges = 0;

    Grid()
    {
        font.SetName(QStringLiteral("Sans Serif"));
        font.SetSize(9);
        valueFont.OnGetOriginalFont = [this](QObject *, TFont *&original) { original = &font; };
        valueFont.OnChange = [this](QObject *) { ++valueChanges; };
        font.OnChange = [this](QObject *) { valueFont.OriginalFontChanged(&font); };
        valueFont.OriginalFontChanged(&font);
        valueChanges = 0;
    }
};

} // namespace

class tst_DeltaFont : public QObject
{
    Q_OBJECT

private slots:
    // Following the reference
    void newFontFollowsReferenceEntirely()
    {
        Grid grid;
        QVERIFY(grid.valueFont.Equals(&grid.font));
        QVERIFY(!grid.valueFont.HasDelta());
        grid.font.SetSize(15);
        grid.font.SetStyle(fsUnderline);
        grid.font.SetColor(clGreen);
        grid.font.SetName(QStringLiteral("Courier"));
        QVERIFY(grid.valueFont.Equals(&grid.font));
        QCOMPARE(grid.valueChanges, 4);
    }
    void addedBoldSurvivesReferenceChange()
    {
        Grid grid;
        grid.valueFont.SetStyle(fsBold);
        QCOMPARE(grid.valueFont.AddedStyles(), TFontStyles(fsBold));
        grid.font.SetStyle(fsItalic);
        grid.font.SetSize(12);
        QCOMPARE(grid.valueFont.Style(), fsBold | fsItalic);
        QCOMPARE(grid.valueFont.Size(), 12);
        QCOMPARE(grid.valueFont.Name(), grid.font.Name());
        QVERIFY(grid.valueFont.ToQFont().bold());
        QVERIFY(grid.valueFont.ToQFont().italic());
        // The reference taking the added style itself changes nothing visible.
        grid.font.SetStyle(fsBold | fsItalic);
        QCOMPARE(grid.valueFont.Style(), fsBold | fsItalic);
        grid.font.SetStyle(TFontStyles());
        QCOMPARE(grid.valueFont.Style(), TFontStyles(fsBold));
    }
    void removedStyleStaysRemoved()
    {
        Grid grid;
        grid.font.SetStyle(fsBold);
        QCOMPARE(grid.valueFont.Style(), TFontStyles(fsBold));
        grid.valueFont.SetStyle(TFontStyles());
        QCOMPARE(grid.valueFont.RemovedStyles(), TFontStyles(fsBold));
        grid.font.SetStyle(fsBold | fsUnderline);
        QCOMPARE(grid.valueFont.Style(), TFontStyles(fsUnderline));
        grid.font.SetStyle(fsStrikeOut);
        QCOMPARE(grid.valueFont.Style(), TFontStyles(fsStrikeOut));
    }
    void overriddenAttributeKeepsItsValue_data()
    {
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QVariant>("own");
        QTest::addColumn<QVariant>("reference");
        QTest::newRow("Color") << QByteArray("Color") << QVariant(int(clRed)) << QVariant(int(clBlue));
        QTest::newRow("Name") << QByteArray("Name") << QVariant(QStringLiteral("Courier"))
                              << QVariant(QStringLiteral("Serif"));
        QTest::newRow("Size") << QByteArray("Size") << QVariant(14) << QVariant(20);
    }
    void overriddenAttributeKeepsItsValue()
    {
        QFETCH(QByteArray, property);
        QFETCH(QVariant, own);
        QFETCH(QVariant, reference);
        Grid grid;
        QVERIFY(grid.valueFont.setProperty(property, own));
        QVERIFY(grid.valueFont.HasDelta());
        QVERIFY(grid.font.setProperty(property, reference));
        QCOMPARE(grid.valueFont.property(property), own);
        // Everything else still follows.
        grid.font.SetStyle(fsItalic);
        QCOMPARE(grid.valueFont.Style(), TFontStyles(fsItalic));
        QCOMPARE(grid.valueFont.property(property), own);
    }
    void colourOverrideKeepsColourButFollowsName()
    {
        Grid grid;
        grid.valueFont.SetColor(clRed);
        QVERIFY(grid.valueFont.IsColorOverridden());
        QVERIFY(!grid.valueFont.IsNameOverridden());
        grid.font.SetColor(clBlue);
        QCOMPARE(grid.valueFont.Color(), clRed);
        grid.font.SetName(QStringLiteral("Courier"));
        QCOMPARE(grid.valueFont.Name(), QStringLiteral("Courier"));
        QCOMPARE(grid.valueFont.Color(), clRed);
        grid.font.SetSize(30);
        QCOMPARE(grid.valueFont.Size(), 30);
        QCOMPARE(grid.valueFont.Height(), -40);
    }
    void settingReferenceValueDropsOverride()
    {
        Grid grid;
        grid.valueFont.SetColor(clRed);
        grid.valueFont.SetColor(grid.font.Color());
        QVERIFY(!grid.valueFont.IsColorOverridden());
        grid.font.SetColor(clBlue);
        QCOMPARE(grid.valueFont.Color(), clBlue);
    }

    // Notification
    void referenceChangeFiresOnceForManyAttributes()
    {
        Grid grid;
        TFont other;
        other.SetName(QStringLiteral("Courier"));
        other.SetSize(22);
        other.SetStyle(fsItalic | fsUnderline);
        other.SetColor(clTeal);
        grid.font.OnChange = nullptr;
        grid.font.Assign(&other);
        grid.valueFont.OriginalFontChanged(&grid.font);
        QCOMPARE(grid.valueChanges, 1);
        QVERIFY(grid.valueFont.Equals(&other));
    }
    void unchangedReferenceFiresNothing()
    {
        Grid grid;
        grid.valueFont.SetStyle(fsBold);
        QCOMPARE(grid.valueChanges, 1);
        grid.valueFont.OriginalFontChanged(&grid.font);
        grid.valueFont.OriginalFontChanged(nullptr);
        QCOMPARE(grid.valueChanges, 1);
        // A reference change the delta hides (the colour is overridden) is no change either.
        grid.valueFont.SetColor(clRed);
        grid.font.SetColor(clBlue);
        QCOMPARE(grid.valueChanges, 2);
    }
    void followingDoesNotRecordADelta()
    {
        // The font is told of a font that is not its reference: it takes that font's attributes, but
        // does not record them as its own differences, so the next reference change wins again.
        Grid grid;
        TFont stranger;
        stranger.SetSize(40);
        stranger.SetColor(clLime);
        grid.valueFont.OriginalFontChanged(&stranger);
        QCOMPARE(grid.valueFont.Size(), 40);
        QVERIFY(!grid.valueFont.HasDelta());
        grid.valueFont.OriginalFontChanged(&grid.font);
        QCOMPARE(grid.valueFont.Size(), 9);
        QCOMPARE(grid.valueFont.Color(), grid.font.Color());
    }

    // Reset and assignment
    void resetDeltaFollowsReferenceAtOnce()
    {
        Grid grid;
        grid.valueFont.SetStyle(fsBold);
        grid.valueFont.SetColor(clRed);
        grid.valueChanges = 0;
        grid.valueFont.ResetDelta();
        QVERIFY(!grid.valueFont.HasDelta());
        QVERIFY(grid.valueFont.Equals(&grid.font));
        QCOMPARE(grid.valueChanges, 1);
        grid.font.SetColor(clBlue);
        QCOMPARE(grid.valueFont.Color(), clBlue);
    }
    void assigningTheReferenceClearsTheDelta()
    {
        Grid grid;
        grid.valueFont.SetColor(clRed);
        grid.valueFont.Assign(&grid.font);
        QVERIFY(!grid.valueFont.HasDelta());
        grid.font.SetColor(clBlue);
        QCOMPARE(grid.valueFont.Color(), clBlue);
    }
    void assigningAnEqualFontStillRecomputes()
    {
        // The override was set while the reference was different; the reference then took the same
        // colour, so assigning it changes no attribute, but the font follows the reference from now on.
        Grid grid;
        grid.valueFont.SetColor(clRed);
        grid.font.SetColor(clRed);
        QVERIFY(grid.valueFont.IsColorOverridden());
        const int changes = grid.valueChanges;
        grid.valueFont.Assign(&grid.font);
        QCOMPARE(grid.valueChanges, changes);
        QVERIFY(!grid.valueFont.IsColorOverridden());
        grid.font.SetColor(clBlue);
        QCOMPARE(grid.valueFont.Color(), clBlue);
    }
    void assignFromAnotherFontRecordsItsDifferences()
    {
        Grid grid;
        TFont other;
        other.SetName(grid.font.Name());
        other.SetSize(grid.font.Size());
        other.SetStyle(fsUnderline);
        other.SetColor(grid.font.Color());
        grid.valueFont.Assign(&other);
        QCOMPARE(grid.valueChanges, 1);
        QCOMPARE(grid.valueFont.AddedStyles(), TFontStyles(fsUnderline));
        QVERIFY(!grid.valueFont.IsSizeOverridden());
        grid.font.SetSize(16);
        QCOMPARE(grid.valueFont.Size(), 16);
        QCOMPARE(grid.valueFont.Style(), TFontStyles(fsUnderline));
    }

    // Without a reference
    void withoutReferenceTheFontIsAbsolute()
    {
        TQXCustomDeltaFont font;
        QVERIFY(!font.HasDelta());
        QCOMPARE(font.OriginalFont(), nullptr);
        font.SetSize(20);
        QVERIFY(font.IsNameOverridden());
        QVERIFY(font.IsSizeOverridden());
        QVERIFY(font.IsColorOverridden());
        TFont reference;
        reference.SetName(QStringLiteral("Courier"));
        reference.SetSize(8);
        reference.SetStyle(fsBold | fsItalic);
        reference.SetColor(clMaroon);
        font.OnGetOriginalFont = [&](QObject *, TFont *&original) { original = &reference; };
        const QString name = font.Name();
        font.OriginalFontChanged(&reference);
        QCOMPARE(font.Name(), name);
        QCOMPARE(font.Size(), 20);
        QCOMPARE(font.Style(), TFontStyles());
        QCOMPARE(font.Color(), clWindowText);
    }
    void handlerAnsweringNullCountsAsNoReference()
    {
        TQXCustomDeltaFont font;
        int asked = 0;
        font.OnGetOriginalFont = [&](QObject *sender, TFont *&original) {
            QCOMPARE(sender, &font);
            ++asked;
            original = nullptr;
        };
        font.SetStyle(fsItalic);
        QCOMPARE(asked, 1);
        QCOMPARE(font.AddedStyles(), TFontStyles(fsItalic));
        QCOMPARE(font.RemovedStyles(), fsBold | fsUnderline | fsStrikeOut);
        font.ResetDelta();
        QVERIFY(!font.HasDelta());
        QCOMPARE(font.Style(), TFontStyles(fsItalic));
    }

    // Hostile handlers
    void throwingHandlerDuringFollowLeavesFontUsable()
    {
        Grid grid;
        grid.valueFont.OnChange = [](QObject *) { throw EAbort(); };
        grid.font.OnChange = nullptr;
        grid.font.SetSize(18);
        QVERIFY_THROWS_EXCEPTION(EAbort, grid.valueFont.OriginalFontChanged(&grid.font));
        QCOMPARE(grid.valueFont.Size(), 18);
        // A later own change is recorded as a difference again.
        grid.valueFont.OnChange = nullptr;
        grid.valueFont.SetColor(clRed);
        QVERIFY(grid.valueFont.IsColorOverridden());
        QVERIFY(!grid.valueFont.IsSizeOverridden());
    }

    // Class information
    void createdByClassReference()
    {
        QObject *object = TQXCustomDeltaFont::staticMetaObject.newInstance();
        auto *font = qobject_cast<TQXCustomDeltaFont *>(object);
        QVERIFY(font);
        QVERIFY(qobject_cast<TFont *>(object));
        QCOMPARE(ClassNameOf(object), QStringLiteral("TQXCustomDeltaFont"));
        QVERIFY(QMetaType::fromType<TQXGetOriginalFontEvent>().isValid());
        Free(font);
    }
};

QTEST_MAIN(tst_DeltaFont)
#include "tst_deltafont.moc"
