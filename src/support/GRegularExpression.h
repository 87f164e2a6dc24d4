/// \file
/// The regular expression behind edit masks: the in-place editor checks a typed text against its
/// property's mask by matching the text framed as "\n" + text + "\r", so that ^ and $ in a mask anchor at
/// the start and end of the text. Descendants may replace the matching itself through MatchFrom.
#pragma once

#include "QXGlobal.h"

#include <QRegularExpression>
#include <QString>

/// The regular expression of an edit mask, matched against a text framed by line ends.
class QXINSPECTORCORE_EXPORT TGRegularExpression
{
public:
    TGRegularExpression();
    virtual ~TGRegularExpression();
    Q_DISABLE_COPY_MOVE(TGRegularExpression)

    /// Compiles Pattern once, in multi-line mode with CR, LF and CRLF all ending a line.
    void SetExpression(const QString &Pattern);
    /// The pattern last given to SetExpression.
    QString GetExpression() const { return m_expression; }
    /// False when the pattern does not compile; an empty pattern is valid.
    bool IsValid() const { return m_regex.isValid(); }
    /// Why the pattern does not compile, with the 0-based offset in the pattern; empty when valid.
    QString ErrorString() const;
    /// The 0-based offset in the pattern where compiling failed, or -1.
    int ErrorOffset() const;

    /// The 1-based position of the first match in Text, 0 for none, for an empty pattern or for an
    /// invalid one. A line feed in front of Text only marks a line start: no match begins before it.
    int Match(const QString &Text);
    /// The 1-based position of the first match at or after Start (1-based; below 1 counts as 1), 0 for
    /// none; Length receives the match's length (0 without a match). Text before Start still counts
    /// for anchors and look-behind.
    virtual int MatchFrom(const QString &Subject, int Start, int &Length);

protected:
    /// The compiled pattern (invalid for a pattern that does not compile).
    const QRegularExpression &Compiled() const { return m_regex; }

private:
    QString m_expression;
    QRegularExpression m_regex;
};
