// Colours (channel order, the ident table, texts, system colours), fonts (Height and Size, styles,
// change notification, assignment, the published properties) and pictures (files, notification).
#include <QXInspector/Exceptions.h>
#include <QXInspector/Graphics.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QMetaProperty>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace QXPlatform;

namespace {

QStringList colorIdents()
{
    QStringList idents;
    GetColorValues([&](const QString &ident) { idents.append(ident); });
    return idents;
}

// A palette in which every role of every group has its own colour, so that a mix-up of roles or of
// groups shows as a wrong colour.
QPalette distinctPalette()
{
    QPalette palette;
    for (int group = 0; group < 3; ++group)
        for (int role = 0; role < QPalette::NColorRoles; ++role)
            palette.setColor(QPalette::ColorGroup(group), QPalette::ColorRole(role),
                             QColor(10 + role * 9, 50 * group, 200 - role * 3));
    return palette;
}

QImage patternImage()
{
    QImage image(7, 5, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixelColor(x, y, QColor(x * 30, y * 50, (x + y) % 2 ? 255 : 0));
    return image;
}

struct ChangeCounter
{
    int count = 0;
    QObject *lastSender = nullptr;
    TNotifyEvent handler()
    {
        return [this](QObject *sender) {
            ++count;
            lastSender = sender;
        };
    }
};

} // namespace

class tst_Graphics : public QObject
{
    Q_OBJECT

private slots:
    // Colours: channel order and conversion
    void colorChannelOrder_data()
    {
        QTest::addColumn<TColor>("color");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("maroon") << clMaroon << QColor(128, 0, 0);
        QTest::newRow("navy") << clNavy << QColor(0, 0, 128);
        QTest::newRow("red") << clRed << QColor(255, 0, 0);
        QTest::newRow("lime") << clLime << QColor(0, 255, 0);
        QTest::newRow("blue") << clBlue << QColor(0, 0, 255);
        QTest::newRow("olive") << clOlive << QColor(128, 128, 0);
        QTest::newRow("teal") << clTeal << QColor(0, 128, 128);
        QTest::newRow("skyBlue") << clSkyBlue << QColor(0xA6, 0xCA, 0xF0);
        QTest::newRow("cream") << clCream << QColor(0xFF, 0xFB, 0xF0);
        QTest::newRow("medGray") << clMedGray << QColor(0xA0, 0xA0, 0xA4);
        QTest::newRow("mixed") << TColor(0x00123456) << QColor(0x56, 0x34, 0x12);
    }
    void colorChannelOrder()
    {
        QFETCH(TColor, color);
        QFETCH(QColor, expected);
        QCOMPARE(ColorToQColor(color), expected);
        QCOMPARE(QColorToColor(expected), color);
    }
    void noneAndDefaultSurviveRoundTrip()
    {
        QCOMPARE(ColorToQColor(clNone).alpha(), 0);
        QCOMPARE(QColorToColor(ColorToQColor(clNone)), clNone);
        QVERIFY(!ColorToQColor(clDefault).isValid());
        QCOMPARE(QColorToColor(QColor()), clDefault);
        // Alpha is not part of a TColor: a half-transparent colour is its RGB.
        QCOMPARE(QColorToColor(QColor(255, 0, 0, 128)), clRed);
        // Index 25 names no system colour.
        QVERIFY(!ColorToQColor(clSystemColor | 25).isValid());
    }

    // Colours: system colours
    void systemColorTakesPaletteRole_data()
    {
        QTest::addColumn<TColor>("color");
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("role");
        const int active = QPalette::Active;
        QTest::newRow("window") << clWindow << active << int(QPalette::Base);
        QTest::newRow("windowText") << clWindowText << active << int(QPalette::Text);
        QTest::newRow("btnFace") << clBtnFace << active << int(QPalette::Button);
        QTest::newRow("btnText") << clBtnText << active << int(QPalette::ButtonText);
        QTest::newRow("highlight") << clHighlight << active << int(QPalette::Highlight);
        QTest::newRow("highlightText") << clHighlightText << active << int(QPalette::HighlightedText);
        QTest::newRow("infoBk") << clInfoBk << active << int(QPalette::ToolTipBase);
        QTest::newRow("infoText") << clInfoText << active << int(QPalette::ToolTipText);
        QTest::newRow("grayText") << clGrayText << int(QPalette::Disabled) << int(QPalette::Text);
        QTest::newRow("btnShadow") << clBtnShadow << active << int(QPalette::Dark);
        QTest::newRow("btnHighlight") << clBtnHighlight << active << int(QPalette::Light);
        QTest::newRow("3DDkShadow") << cl3DDkShadow << active << int(QPalette::Shadow);
        QTest::newRow("3DLight") << cl3DLight << active << int(QPalette::Midlight);
        QTest::newRow("windowFrame") << clWindowFrame << active << int(QPalette::WindowText);
        QTest::newRow("menu") << clMenu << active << int(QPalette::Window);
        QTest::newRow("menuText") << clMenuText << active << int(QPalette::WindowText);
        QTest::newRow("hotLight") << clHotLight << active << int(QPalette::Link);
        QTest::newRow("activeCaption") << clActiveCaption << active << int(QPalette::Highlight);
        const int inactive = QPalette::Inactive;
        QTest::newRow("inactiveCaption") << clInactiveCaption << inactive << int(QPalette::Highlight);
    }
    void systemColorTakesPaletteRole()
    {
        QFETCH(TColor, color);
        QFETCH(int, group);
        QFETCH(int, role);
        const QPalette palette = distinctPalette();
        QCOMPARE(ColorToQColor(color, palette),
                 palette.color(QPalette::ColorGroup(group), QPalette::ColorRole(role)));
    }
    void everySystemColorResolves()
    {
        const QPalette palette = distinctPalette();
        for (const QString &ident : colorIdents()) {
            TColor color = 0;
            QVERIFY(IdentToColor(ident, color));
            if ((quint32(color) & 0xFF000000u) == quint32(clSystemColor))
                QVERIFY2(ColorToQColor(color, palette).isValid(), qPrintable(ident));
        }
    }
    void systemColorFollowsApplicationPalette()
    {
        const QPalette saved = QGuiApplication::palette();
        QPalette palette = saved;
        palette.setColor(QPalette::Button, QColor(1, 2, 3));
        QGuiApplication::setPalette(palette);
        const QColor resolved = ColorToQColor(clBtnFace);
        const TColor rgb = ColorToRGB(clBtnFace);
        QGuiApplication::setPalette(saved);
        QCOMPARE(resolved, QColor(1, 2, 3));
        QCOMPARE(rgb, TColor(0x030201));
        QCOMPARE(ColorToRGB(clTeal), clTeal);
    }

    // Colours: the ident table and texts
    void identTableOrder()
    {
        const QStringList idents = colorIdents();
        const QStringList basicAndExtended {
            "clBlack", "clMaroon", "clGreen",      "clOlive",   "clNavy",   "clPurple", "clTeal",
            "clGray",  "clSilver", "clRed",        "clLime",    "clYellow", "clBlue",   "clFuchsia",
            "clAqua",  "clWhite",  "clMoneyGreen", "clSkyBlue", "clCream",  "clMedGray"
        };
        QCOMPARE(idents.mid(0, 20), basicAndExtended);
        QCOMPARE(idents.mid(idents.size() - 2), QStringList({ "clNone", "clDefault" }));
        const QStringList system = idents.mid(20, idents.size() - 22);
        QCOMPARE(system.size(), 30);
        QStringList sorted = system;
        sorted.sort(Qt::CaseInsensitive);
        QCOMPARE(system, sorted);
        QCOMPARE(QSet<QString>(idents.begin(), idents.end()).size(), idents.size());
    }
    void identRoundTrip()
    {
        QSet<TColor> seen;
        for (const QString &ident : colorIdents()) {
            TColor color = 0;
            QVERIFY2(IdentToColor(ident, color), qPrintable(ident));
            QVERIFY2(!seen.contains(color), qPrintable(ident));
            seen.insert(color);
            QString back;
            QVERIFY(ColorToIdent(color, back));
            QCOMPARE(back, ident);
            QCOMPARE(ColorToString(color), ident);
            QCOMPARE(StringToColor(ident.toUpper()), color);
            QCOMPARE(StringToColor(ident.toLower()), color);
        }
    }
    void systemIdentsHaveTheirIndex()
    {
        TColor color = 0;
        QVERIFY(IdentToColor(QStringLiteral("clWindowText"), color));
        QCOMPARE(quint32(color), 0xFF000008u);
        QVERIFY(IdentToColor(QStringLiteral("clMenuBar"), color));
        QCOMPARE(quint32(color), 0xFF00001Eu);
        QVERIFY(!IdentToColor(QStringLiteral("clNotAColour"), color));
        QCOMPARE(quint32(color), 0xFF00001Eu);
        QString ident = QStringLiteral("unchanged");
        QVERIFY(!ColorToIdent(0x00123456, ident));
        QCOMPARE(ident, QStringLiteral("unchanged"));
    }
    void colorText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<TColor>("color");
        QTest::addColumn<QString>("printed");
        QTest::newRow("hex") << "$00FF8000" << TColor(0x00FF8000) << "$00FF8000";
        QTest::newRow("lower-case hex") << "$00abcdef" << TColor(0x00ABCDEF) << "$00ABCDEF";
        QTest::newRow("short hex") << "$80" << clMaroon << "clMaroon";
        QTest::newRow("decimal") << "255" << clRed << "clRed";
        QTest::newRow("decimal unnamed") << "1193046" << TColor(0x123456) << "$00123456";
        QTest::newRow("system by number") << "-16777208" << clWindowText << "clWindowText";
        QTest::newRow("system by hex") << "$FF000008" << clWindowText << "clWindowText";
        QTest::newRow("unnamed system index") << "$FF000019" << TColor(clSystemColor | 25) << "$FF000019";
        QTest::newRow("ident") << "clSkyBlue" << clSkyBlue << "clSkyBlue";
        QTest::newRow("mixed-case ident") << "CLbtnFACE" << clBtnFace << "clBtnFace";
    }
    void colorText()
    {
        QFETCH(QString, text);
        QFETCH(TColor, color);
        QFETCH(QString, printed);
        QCOMPARE(StringToColor(text), color);
        QCOMPARE(ColorToString(color), printed);
        QCOMPARE(StringToColor(ColorToString(color)), color);
    }
    void badColorTextRaises_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("unknown ident") << "clNotAColour";
        QTest::newRow("dollar only") << "$";
        QTest::newRow("bad hex") << "$GG";
        QTest::newRow("trailing letters") << "12a";
        QTest::newRow("float") << "0.5";
        QTest::newRow("too big") << "99999999999";
    }
    void badColorTextRaises()
    {
        QFETCH(QString, text);
        try {
            StringToColor(text);
            QFAIL("no exception");
        } catch (const EConvertError &e) {
            QCOMPARE(e.Message(), QStringLiteral("'%1' is not a valid integer value").arg(text));
        }
    }

    // TFont: defaults and the published properties
    void fontDefaults()
    {
        TFont font;
        QCOMPARE(font.Color(), clWindowText);
        QCOMPARE(font.Name(), QGuiApplication::font().family());
        QCOMPARE(font.Size(), TFont::DefaultFont().pointSize());
        QVERIFY(font.Size() > 0);
        QCOMPARE(font.Style(), TFontStyles());
    }
    void fontPublishesItsPropertiesInOrder()
    {
        const QMetaObject *meta = &TFont::staticMetaObject;
        QStringList names;
        for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i)
            names.append(QString::fromLatin1(meta->property(i).name()));
        QCOMPARE(names, QStringList({ "Color", "Height", "Name", "Size", "Style" }));
        const QMetaProperty style = meta->property(meta->indexOfProperty("Style"));
        QVERIFY(style.isFlagType());
        QCOMPARE(style.enumerator().name(), "TFontStyles");
        QCOMPARE(style.enumerator().keysToValue("fsBold|fsStrikeOut"), int(fsBold | fsStrikeOut));
        QCOMPARE(ClassNameOf(meta), QStringLiteral("TFont"));
    }
    void fontCreatedByClassReference()
    {
        QObject *object = TFont::staticMetaObject.newInstance();
        QVERIFY(object);
        auto *font = qobject_cast<TFont *>(object);
        QVERIFY(font);
        QCOMPARE(font->Color(), clWindowText);
        Free(font);
    }
    void fontPropertiesThroughMetaObject()
    {
        TFont font;
        QVERIFY(font.setProperty("Style", int(fsBold | fsItalic)));
        QCOMPARE(font.Style(), fsBold | fsItalic);
        QVERIFY(font.setProperty("Color", int(clRed)));
        QCOMPARE(font.Color(), clRed);
        QCOMPARE(font.property("Size").toInt(), font.Size());
    }

    // TFont: Height and Size
    void heightFromSize_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("height");
        QTest::newRow("8pt") << 8 << -11;
        QTest::newRow("9pt") << 9 << -12;
        QTest::newRow("10pt") << 10 << -13;
        QTest::newRow("11pt") << 11 << -15;
        QTest::newRow("12pt") << 12 << -16;
        QTest::newRow("72pt") << 72 << -96;
    }
    void heightFromSize()
    {
        QFETCH(int, size);
        QFETCH(int, height);
        TFont font;
        font.SetSize(size);
        QCOMPARE(font.Height(), height);
        font.SetSize(size + 1);
        font.SetHeight(height);
        QCOMPARE(font.Size(), size);
        font.SetSize(size + 1);
        font.SetHeight(-height);
        QCOMPARE(font.Size(), size);
    }
    void sizeFromOddHeights()
    {
        TFont font;
        font.SetHeight(-14); // 10.5pt rounds up
        QCOMPARE(font.Size(), 11);
        font.SetHeight(-10); // 7.5pt
        QCOMPARE(font.Size(), 8);
        font.SetSize(0);
        QCOMPARE(font.Size(), TFont::DefaultFont().pointSize());
        font.SetSize(20);
        font.SetHeight(0);
        QCOMPARE(font.Size(), TFont::DefaultFont().pointSize());
    }

    // TFont: style and the QFont it stands for
    void styleFlags_data()
    {
        QTest::addColumn<TFontStyles>("style");
        QTest::newRow("none") << TFontStyles();
        QTest::newRow("bold") << TFontStyles(fsBold);
        QTest::newRow("italic") << TFontStyles(fsItalic);
        QTest::newRow("underline") << TFontStyles(fsUnderline);
        QTest::newRow("strikeOut") << TFontStyles(fsStrikeOut);
        QTest::newRow("all") << (fsBold | fsItalic | fsUnderline | fsStrikeOut);
    }
    void styleFlags()
    {
        QFETCH(TFontStyles, style);
        TFont font;
        font.SetStyle(fsBold | fsItalic | fsUnderline | fsStrikeOut);
        font.SetStyle(style);
        QCOMPARE(font.Style(), style);
        const QFont qfont = font.ToQFont();
        QCOMPARE(qfont.bold(), style.testFlag(fsBold));
        QCOMPARE(qfont.italic(), style.testFlag(fsItalic));
        QCOMPARE(qfont.underline(), style.testFlag(fsUnderline));
        QCOMPARE(qfont.strikeOut(), style.testFlag(fsStrikeOut));
    }
    void toQFontReflectsAttributes()
    {
        TFont font;
        font.SetName(QStringLiteral("Courier"));
        font.SetSize(17);
        font.SetColor(clNavy);
        QCOMPARE(font.ToQFont().family(), QStringLiteral("Courier"));
        QCOMPARE(font.ToQFont().pointSize(), 17);
        QCOMPARE(font.ToQColor(), QColor(0, 0, 128));
        QCOMPARE(font.Pen().color(), QColor(0, 0, 128));
    }
    void setQFontTakesPixelSizesAsPoints()
    {
        TFont font;
        QFont pixels(QStringLiteral("Serif"));
        pixels.setPixelSize(16);
        pixels.setItalic(true);
        font.SetQFont(pixels);
        QCOMPARE(font.Size(), 12);
        QCOMPARE(font.Height(), -16);
        QCOMPARE(font.Name(), QStringLiteral("Serif"));
        QCOMPARE(font.Style(), TFontStyles(fsItalic));
    }
    void demiBoldStaysWhenBoldStays()
    {
        TFont font;
        QFont demiBold = font.ToQFont();
        demiBold.setWeight(QFont::DemiBold);
        font.SetQFont(demiBold);
        QVERIFY(font.Style().testFlag(fsBold));
        font.SetStyle(font.Style() | fsItalic);
        QCOMPARE(font.ToQFont().weight(), QFont::DemiBold);
        font.SetStyle(fsItalic);
        QCOMPARE(font.ToQFont().weight(), QFont::Normal);
    }

    // TFont: change notification
    void onChangeOncePerEffectiveChange_data()
    {
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("Color") << QByteArray("Color") << QVariant(int(clRed));
        QTest::newRow("Height") << QByteArray("Height") << QVariant(-40);
        QTest::newRow("Name") << QByteArray("Name") << QVariant(QStringLiteral("Courier"));
        QTest::newRow("Size") << QByteArray("Size") << QVariant(31);
        QTest::newRow("Style") << QByteArray("Style") << QVariant(int(fsUnderline | fsItalic));
    }
    void onChangeOncePerEffectiveChange()
    {
        QFETCH(QByteArray, property);
        QFETCH(QVariant, value);
        TFont font;
        ChangeCounter counter;
        font.OnChange = counter.handler();
        QVERIFY(font.setProperty(property, value));
        QCOMPARE(counter.count, 1);
        QCOMPARE(counter.lastSender, &font);
        const QVariant stored = font.property(property);
        QVERIFY(font.setProperty(property, value));
        QVERIFY(font.setProperty(property, stored));
        QCOMPARE(counter.count, 1);
    }
    void handlerSeesTheNewValue()
    {
        TFont font;
        int seenSize = 0;
        font.OnChange = [&](QObject *sender) { seenSize = qobject_cast<TFont *>(sender)->Size(); };
        font.SetSize(23);
        QCOMPARE(seenSize, 23);
    }
    void positiveHeightOfSameSizeIsNoChange()
    {
        TFont font;
        font.SetSize(12);
        ChangeCounter counter;
        font.OnChange = counter.handler();
        font.SetHeight(16);
        font.SetHeight(-16);
        QCOMPARE(counter.count, 0);
    }

    // TFont: assignment
    void assignCopiesEverythingOnce()
    {
        TFont source;
        source.SetName(QStringLiteral("Courier"));
        source.SetSize(21);
        source.SetStyle(fsBold | fsStrikeOut);
        source.SetColor(clPurple);
        TFont target;
        QVERIFY(!target.Equals(&source));
        ChangeCounter counter;
        target.OnChange = counter.handler();
        target.Assign(&source);
        QCOMPARE(counter.count, 1);
        QCOMPARE(counter.lastSender, &target);
        QVERIFY(target.Equals(&source));
        QCOMPARE(target.Name(), QStringLiteral("Courier"));
        QCOMPARE(target.Size(), 21);
        QCOMPARE(target.Style(), fsBold | fsStrikeOut);
        QCOMPARE(target.Color(), clPurple);
        QCOMPARE(target.ToQFont(), source.ToQFont());
        target.Assign(&source);
        QCOMPARE(counter.count, 1);
    }
    void assignFromOtherClassRaises()
    {
        TFont font;
        font.SetSize(14);
        ChangeCounter counter;
        font.OnChange = counter.handler();
        QObject stranger;
        try {
            font.Assign(&stranger);
            QFAIL("no exception");
        } catch (const EConvertError &e) {
            QCOMPARE(e.Message(), QStringLiteral("Cannot assign a QObject to a TFont"));
        }
        TPicture picture;
        QVERIFY_THROWS_EXCEPTION(EConvertError, font.Assign(&picture));
        QCOMPARE(font.Size(), 14);
        QCOMPARE(counter.count, 0);
    }
    void equalsComparesColourToo()
    {
        TFont a;
        TFont b;
        QVERIFY(a.Equals(&b));
        b.SetColor(clRed);
        QVERIFY(!a.Equals(&b));
        QVERIFY(!a.Equals(nullptr));
    }

    // TPicture
    void pictureSaveLoadRoundTrip_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::newRow("png") << "glyph.png";
        QTest::newRow("bmp") << "glyph.bmp";
        QTest::newRow("no suffix") << "glyph";
    }
    void pictureSaveLoadRoundTrip()
    {
        QFETCH(QString, fileName);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QImage image = patternImage();
        TPicture source;
        source.SetPixmap(QPixmap::fromImage(image));
        source.SaveToFile(dir.filePath(fileName));

        TPicture loaded;
        ChangeCounter counter;
        loaded.OnChange = counter.handler();
        loaded.LoadFromFile(dir.filePath(fileName));
        QCOMPARE(counter.count, 1);
        QCOMPARE(loaded.Width(), 7);
        QCOMPARE(loaded.Height(), 5);
        QVERIFY(!loaded.IsEmpty());
        const QImage back = loaded.Pixmap().toImage();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                QCOMPARE(back.pixelColor(x, y), image.pixelColor(x, y));
    }
    void pictureLoadErrorsLeavePictureAlone()
    {
        QTemporaryDir dir;
        TPicture picture;
        picture.SetPixmap(QPixmap::fromImage(patternImage()));
        ChangeCounter counter;
        picture.OnChange = counter.handler();

        try {
            picture.LoadFromFile(dir.filePath(QStringLiteral("missing.png")));
            QFAIL("no exception");
        } catch (const EFOpenError &e) {
            QVERIFY2(e.Message().contains(QStringLiteral("missing.png")), qPrintable(e.Message()));
        }
        QVERIFY_THROWS_EXCEPTION(EFOpenError, picture.LoadFromFile(dir.path()));

        QFile garbage(dir.filePath(QStringLiteral("garbage.png")));
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write("this is not a picture");
        garbage.close();
        try {
            picture.LoadFromFile(garbage.fileName());
            QFAIL("no exception");
        } catch (const EInvalidGraphic &e) {
            QVERIFY2(e.Message().contains(QStringLiteral("garbage.png")), qPrintable(e.Message()));
        }
        QCOMPARE(picture.Width(), 7);
        QCOMPARE(counter.count, 0);
    }
    void pictureSaveErrors()
    {
        QTemporaryDir dir;
        TPicture empty;
        const QString emptyFile = dir.filePath(QStringLiteral("empty.png"));
        QVERIFY_THROWS_EXCEPTION(EInvalidGraphic, empty.SaveToFile(emptyFile));
        QVERIFY(!QFile::exists(emptyFile));

        TPicture picture;
        picture.SetPixmap(QPixmap::fromImage(patternImage()));
        const QString unknown = dir.filePath(QStringLiteral("glyph.nosuchformat"));
        QVERIFY_THROWS_EXCEPTION(EInvalidGraphic, picture.SaveToFile(unknown));
        QVERIFY(!QFile::exists(unknown));
        const QString noFolder = dir.filePath(QStringLiteral("no/such/folder/glyph.png"));
        QVERIFY_THROWS_EXCEPTION(EFOpenError, picture.SaveToFile(noFolder));
    }
    void pictureOnChangeOncePerChange()
    {
        TPicture picture;
        ChangeCounter counter;
        picture.OnChange = counter.handler();
        picture.Clear();
        QCOMPARE(counter.count, 0);
        const QPixmap pixmap = QPixmap::fromImage(patternImage());
        picture.SetPixmap(pixmap);
        QCOMPARE(counter.count, 1);
        QCOMPARE(counter.lastSender, &picture);
        picture.SetPixmap(pixmap);
        QCOMPARE(counter.count, 1);

        TPicture other;
        other.SetPixmap(QPixmap::fromImage(patternImage().scaled(3, 2)));
        picture.Assign(&other);
        QCOMPARE(counter.count, 2);
        QCOMPARE(picture.Width(), 3);
        picture.Assign(nullptr);
        QCOMPARE(counter.count, 3);
        QVERIFY(picture.IsEmpty());
        QCOMPARE(picture.Width(), 0);
        TFont font;
        QVERIFY_THROWS_EXCEPTION(EConvertError, picture.Assign(&font));
        QCOMPARE(counter.count, 3);
    }
};

QTEST_MAIN(tst_Graphics)
#include "tst_graphics.moc"
