// Objects for the inspector's tests: one that publishes every kind the inspector shows, a second class
// that shares only some of its properties, and hostile ones (a getter that throws, a setter that refuses).
#pragma once

#include <QXInspector/Collection.h>
#include <QXInspector/Events.h>
#include <QXInspector/Graphics.h>
#include <QXInspector/Persistent.h>

#include <QDate>
#include <QFont>
#include <QObject>
#include <QPointer>
#include <QVariant>

/// One entry of a sample collection.
class SampleItem : public QXPlatform::TCollectionItem
{
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int Value MEMBER Value)
public:
    Q_INVOKABLE explicit SampleItem(QXPlatform::TCollection *Collection)
        : TCollectionItem(Collection)
    { }
    QString Name() const { return m_name; }
    void SetName(const QString &Value) { m_name = Value; }
    QString GetDisplayName() const override
    {
        return m_name.isEmpty() ? TCollectionItem::GetDisplayName() : m_name;
    }
    int Value = 0;

private:
    QString m_name;
};

/// Publishes one property of every kind: enumeration, set, Boolean, character, integer, 64-bit, float,
/// date, string, variant, sub-object (a font), collection, component reference and event.
class Sample : public QObject
{
    Q_OBJECT
public:
    enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
    Q_ENUM(TAlign)
    enum TOption { opFirst = 0x1, opSecond = 0x2, opThird = 0x4 };
    Q_DECLARE_FLAGS(TOptions, TOption)
    Q_FLAG(TOptions)

private:
    Q_PROPERTY(TAlign Align MEMBER Align)
    Q_PROPERTY(TOptions Options READ GetOptions WRITE SetOptions)
    Q_PROPERTY(bool Flag MEMBER Flag)
    Q_PROPERTY(char Letter MEMBER Letter)
    Q_PROPERTY(int Tag MEMBER Tag)
    Q_PROPERTY(qint64 Big MEMBER Big)
    Q_PROPERTY(double Ratio MEMBER Ratio)
    Q_PROPERTY(QDate When MEMBER When)
    Q_PROPERTY(QString Caption MEMBER Caption)
    Q_PROPERTY(QVariant Any MEMBER Any)
    Q_PROPERTY(QXPlatform::TColor Color MEMBER Color)
    Q_PROPERTY(QFont Font READ Font WRITE SetFont)
    Q_PROPERTY(QXPlatform::TCollection *Items READ Items)
    Q_PROPERTY(QObject *Buddy READ Buddy WRITE SetBuddy)
    Q_PROPERTY(QXPlatform::TNotifyEvent OnClick MEMBER OnClick)
    Q_PROPERTY(int ReadOnlyTag READ ReadOnlyTag)
    QX_TYPE_NAME(Color, "TColor")
    QX_DEFAULT(Align, "alNone")
    QX_DEFAULT(Tag, "0")
    QX_DEFAULT(Flag, "False")

public:
    explicit Sample(QObject *parent = nullptr);
    ~Sample() override;

    QFont Font() const { return m_font; }
    void SetFont(const QFont &Value) { m_font = Value; }
    TOptions GetOptions() const { return Options; }
    void SetOptions(TOptions Value) { Options = Value; }
    QXPlatform::TCollection *Items() const { return m_items; }
    QObject *Buddy() const { return m_buddy; }
    void SetBuddy(QObject *Value) { m_buddy = Value; }
    int ReadOnlyTag() const { return 7; }
    /// Adds an item named Name to the collection.
    SampleItem *AddItem(const QString &Name, int Value = 0);

    TAlign Align = alNone;
    TOptions Options;
    bool Flag = false;
    char Letter = 'A';
    int Tag = 0;
    qint64 Big = 0;
    double Ratio = 0.5;
    QDate When { 2024, 1, 2 };
    QString Caption;
    QVariant Any;
    QXPlatform::TColor Color = 0;
    QXPlatform::TNotifyEvent OnClick;

private:
    QFont m_font;
    QXPlatform::TCollection *m_items;
    QPointer<QObject> m_buddy;
};

/// A different class sharing Caption (a string) and Tag (an integer) with Sample, but with Color of
/// another type and Align missing.
class OtherSample : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER Caption)
    Q_PROPERTY(int Tag MEMBER Tag)
    Q_PROPERTY(QString Color MEMBER Color)
    Q_PROPERTY(QString Hint MEMBER Hint)
public:
    explicit OtherSample(QObject *parent = nullptr)
        : QObject(parent)
    { }
    QString Caption;
    int Tag = 0;
    QString Color;
    QString Hint;
};

/// Publishes Caption with a declared type name of its own: a string, but not the same type as Sample's.
class CaptionedSample : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER Caption)
    Q_PROPERTY(int Tag MEMBER Tag)
    QX_TYPE_NAME(Caption, "TCaption")
public:
    explicit CaptionedSample(QObject *parent = nullptr)
        : QObject(parent)
    { }
    QString Caption;
    int Tag = 0;
};

/// Refers to another node: an object that refers back to one already listed.
class Node : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Label MEMBER Label)
    Q_PROPERTY(Node *Next READ Next WRITE SetNext)
public:
    explicit Node(QObject *parent = nullptr)
        : QObject(parent)
    { }
    Node *Next() const { return m_next; }
    void SetNext(Node *Value) { m_next = Value; }
    QString Label;

private:
    QPointer<Node> m_next;
};

/// A sub-object (not a component) that two holders may share.
class Part : public QObject, public QXPlatform::TPersistent
{
    Q_OBJECT
    Q_PROPERTY(int Size MEMBER Size)
public:
    Part() = default;
    int Size = 1;
};

class PartHolder : public QObject
{
    Q_OBJECT
    Q_PROPERTY(Part *Piece READ GetPart)
    Q_PROPERTY(int Width MEMBER Width)
public:
    explicit PartHolder(Part *Shared = nullptr, QObject *parent = nullptr);
    ~PartHolder() override;
    Part *GetPart() const { return m_part; }
    int Width = 10;

private:
    Part *m_part;
    bool m_owned;
};

/// A persistent object, not a component: nobody is told when it is destroyed, so an inspector keeps its
/// rows until the next scan. Publishes a set of three members A, B and C (declared default [B]), a
/// stored and an unstored string, ordinals with declared defaults, a float, and a sub-object it refers
/// to through a guarded pointer (so that it can be replaced, removed or deleted under the rows). Counts
/// the writes of its set, so that a test can tell "nothing written" from "the same value written".
class Profile : public QObject, public QXPlatform::TPersistent
{
    Q_OBJECT
public:
    enum TMember { A = 0x1, B = 0x2, C = 0x4 };
    Q_DECLARE_FLAGS(TMembers, TMember)
    Q_FLAG(TMembers)
    enum TShape { shNone, shRound, shSquare };
    Q_ENUM(TShape)
    /// A set whose members leave bits unused, with a key for no bit and one for two bits.
    enum TGap { gNone = 0, gLow = 0x1, gHigh = 0x4, gBoth = 0x5, gFar = 0x40000000 };
    Q_DECLARE_FLAGS(TGaps, TGap)
    Q_FLAG(TGaps)

private:
    Q_PROPERTY(TMembers Members READ GetMembers WRITE SetMembers)
    Q_PROPERTY(QString Caption MEMBER Caption)
    Q_PROPERTY(QString Scratch MEMBER Scratch STORED false)
    Q_PROPERTY(int Tag MEMBER Tag)
    Q_PROPERTY(bool Flag MEMBER Flag)
    Q_PROPERTY(TShape Shape MEMBER Shape)
    Q_PROPERTY(double Ratio MEMBER Ratio)
    Q_PROPERTY(qint64 Big MEMBER Big)
    Q_PROPERTY(Part *Piece READ Piece WRITE SetPiece)
    Q_PROPERTY(TGaps Gaps READ GetGaps WRITE SetGaps)
    QX_DEFAULT(Members, "[B]")
    QX_DEFAULT(Tag, "0")
    QX_DEFAULT(Flag, "False")
    QX_DEFAULT(Shape, "shRound")
    QX_DEFAULT(Ratio, "0")

public:
    explicit Profile(QObject *parent = nullptr)
        : QObject(parent)
    { }
    TMembers GetMembers() const { return Members; }
    void SetMembers(TMembers Value)
    {
        Members = Value;
        ++MemberWrites;
    }
    Part *Piece() const { return m_piece; }
    void SetPiece(Part *Value) { m_piece = Value; }
    TGaps GetGaps() const { return Gaps; }
    void SetGaps(TGaps Value) { Gaps = Value; }

    TMembers Members = B;
    int MemberWrites = 0;
    QString Caption;
    QString Scratch;
    int Tag = 0;
    bool Flag = false;
    TShape Shape = shRound;
    double Ratio = 0;
    qint64 Big = 0;
    TGaps Gaps;

private:
    QPointer<Part> m_piece;
};
Q_DECLARE_OPERATORS_FOR_FLAGS(Profile::TMembers)
Q_DECLARE_OPERATORS_FOR_FLAGS(Profile::TGaps)

/// Shares Caption and Tag with Profile, but its Tag setter rejects every value.
class Stubborn : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER Caption)
    Q_PROPERTY(int Tag READ GetTag WRITE SetTag)
public:
    explicit Stubborn(QObject *parent = nullptr)
        : QObject(parent)
    { }
    int GetTag() const { return m_tag; }
    void SetTag(int Value);
    QString Caption;

private:
    int m_tag = 3;
};
