#include "core/Rtf.h"

#include "platform/Cp1252.h"

#include <QColor>
#include <QHash>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVector>

namespace rtf {

QByteArray escape(const QString& text) {
    QByteArray out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            out += '\\';
            out += char(u);
        } else if (u == u'\t') {
            out += "\\tab ";
        } else if (u >= 0x20 && u < 0x80) {
            out += char(u);
        } else if (u < 0x20) {
            // other control characters have no place in a report line
        } else if (const char b = platform::toCp1252(c); b != '?') {
            out += QByteArrayLiteral("\\'") + QByteArray::number(uchar(b), 16).rightJustified(2, '0');
        } else {
            out += "\\u" + QByteArray::number(qint16(u)) + '?';
        }
    }
    return out;
}

QByteArray fromDocument(const QTextDocument& document) {
    QStringList fonts;
    QVector<QColor> colours;
    auto fontIndex = [&](const QString& family) {
        qsizetype i = fonts.indexOf(family);
        if (i < 0) {
            fonts << family;
            i = fonts.size() - 1;
        }
        return i;
    };
    auto colourIndex = [&](const QColor& colour) {  // 0 is the automatic colour
        qsizetype i = colours.indexOf(colour);
        if (i < 0) {
            colours << colour;
            i = colours.size() - 1;
        }
        return i + 1;
    };
    QByteArray body;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat f = fragment.charFormat();
            const QFont font = f.font();
            const double points = font.pointSizeF() > 0 ? font.pointSizeF() : 10;
            body += "{\\f" + QByteArray::number(fontIndex(font.family()));
            body += "\\fs" + QByteArray::number(qRound(points * 2));
            if (font.bold()) body += "\\b";
            if (font.italic()) body += "\\i";
            if (font.underline()) body += "\\ul";
            if (f.hasProperty(QTextFormat::ForegroundBrush))
                body += "\\cf" + QByteArray::number(colourIndex(f.foreground().color()));
            body += ' ' + escape(fragment.text()) + '}';
        }
        if (block.next().isValid()) body += "\\par\n";
    }
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
    for (qsizetype i = 0; i < fonts.size(); ++i)
        out += "{\\f" + QByteArray::number(i) + "\\fnil " + escape(fonts[i]) + ";}";
    out += "}{\\colortbl ;";
    for (const QColor& c : colours)
        out += "\\red" + QByteArray::number(c.red()) + "\\green" + QByteArray::number(c.green()) + "\\blue" +
               QByteArray::number(c.blue()) + ';';
    out += "}\n" + body + "}\n";
    return out;
}

namespace {

enum class Destination { Text, Fonts, Colours, Hidden };

struct State {
    QTextCharFormat format;
    Destination destination = Destination::Text;
    int unicodeSkip = 1;
};

// One pass: the font and colour tables come before the text that uses them.
class Reader {
public:
    Reader(QTextCursor& cursor, const QByteArray& rtf) : cursor_(cursor), rtf_(rtf), base_(cursor.charFormat()) {}

    void run() {
        QVector<State> stack{{base_, Destination::Text, 1}};
        int fallback = 0;  // characters standing in for the last \uN, to drop
        for (qsizetype i = 0; i < rtf_.size();) {
            const char c = rtf_[i];
            State& s = stack.last();
            if (c == '{' || c == '}') {
                if (c == '{') stack << s;
                else if (stack.size() > 1) stack.removeLast();
                fallback = 0;
                ++i;
            } else if (c == '\\') {
                QByteArray word;
                int param = 0;
                bool hasParam = false;
                i = controlWord(i, word, param, hasParam);
                const bool symbol = word.size() == 1 && !std::isalpha(uchar(word[0]));  // \{ \' \* ...
                if (fallback > 0 && symbol) {
                    --fallback;
                } else if (word == "'") {
                    text(platform::fromCp1252(QByteArray(1, char(param))), s);
                } else if (word == "u") {
                    text(QString(QChar(char16_t(param < 0 ? param + 65536 : param))), s);
                    fallback = s.unicodeSkip;
                } else if (word == "*") {
                    s.destination = Destination::Hidden;
                } else if (symbol) {
                    if (QByteArray("{}\\").contains(word)) text(QString::fromLatin1(word), s);
                } else {
                    apply(word, param, hasParam, s);
                }
            } else if (c == '\r' || c == '\n') {
                ++i;
            } else if (fallback > 0) {
                --fallback;
                ++i;
            } else {
                qsizetype j = i;
                while (j < rtf_.size() && !QByteArray("{}\\\r\n").contains(rtf_[j])) ++j;
                text(platform::fromCp1252(rtf_.mid(i, j - i)), s);
                i = j;
            }
        }
    }

private:
    qsizetype controlWord(qsizetype i, QByteArray& word, int& param, bool& hasParam) {
        ++i;  // the backslash
        if (i >= rtf_.size()) return i;
        const char c = rtf_[i];
        if (c == '\'') {
            param = rtf_.mid(i + 1, 2).toInt(nullptr, 16);
            word = "'";
            return i + 3;
        }
        if (!std::isalpha(uchar(c))) {
            word = QByteArray(1, c);
            return i + 1;
        }
        qsizetype j = i;
        while (j < rtf_.size() && std::isalpha(uchar(rtf_[j]))) ++j;
        word = rtf_.mid(i, j - i);
        qsizetype k = j;
        if (k < rtf_.size() && (rtf_[k] == '-' || std::isdigit(uchar(rtf_[k])))) {
            ++k;
            while (k < rtf_.size() && std::isdigit(uchar(rtf_[k]))) ++k;
            param = rtf_.mid(j, k - j).toInt();
            hasParam = true;
        }
        if (k < rtf_.size() && rtf_[k] == ' ') ++k;  // the delimiter belongs to the word
        return k;
    }

    void apply(const QByteArray& w, int p, bool hasParam, State& s) {
        const bool on = !(hasParam && p == 0);
        if (w == "fonttbl") {
            s.destination = Destination::Fonts;
        } else if (w == "colortbl") {
            s.destination = Destination::Colours;
        } else if (w == "stylesheet" || w == "info" || w == "pict") {
            s.destination = Destination::Hidden;
        } else if (s.destination == Destination::Fonts) {
            if (w == "f") {
                fontNo_ = p;
                fontName_.clear();
            }
        } else if (s.destination == Destination::Colours) {
            if (w == "red") colour_.setRed(p);
            else if (w == "green") colour_.setGreen(p);
            else if (w == "blue") colour_.setBlue(p);
        } else if (w == "f") {
            if (fonts_.contains(p)) s.format.setFontFamilies({fonts_.value(p)});
        } else if (w == "fs") {
            s.format.setFontPointSize(p / 2.0);
        } else if (w == "b") {
            s.format.setFontWeight(on ? QFont::Bold : QFont::Normal);
        } else if (w == "i") {
            s.format.setFontItalic(on);
        } else if (w == "ul" || w == "ulnone") {
            s.format.setFontUnderline(w == "ul" && on);
        } else if (w == "cf" || w == "highlight") {
            const bool known = p > 0 && p <= colours_.size();
            if (w == "cf") known ? s.format.setForeground(colours_[p - 1]) : s.format.clearForeground();
            else known ? s.format.setBackground(colours_[p - 1]) : s.format.clearBackground();
        } else if (w == "plain") {
            s.format = base_;
        } else if (w == "uc") {
            s.unicodeSkip = p;
        } else if ((w == "par" || w == "line") && s.destination == Destination::Text) {
            cursor_.insertBlock();
        } else if (w == "tab") {
            text(QStringLiteral("\t"), s);
        }
    }

    // Text of the tables fills them; text elsewhere is shown.
    void text(const QString& t, const State& s) {
        switch (s.destination) {
        case Destination::Text:
            if (!t.isEmpty()) cursor_.insertText(t, s.format);
            break;
        case Destination::Fonts:
            for (const QChar c : t) {
                if (c != u';') fontName_ += c;
                else fonts_.insert(fontNo_, fontName_.trimmed());
            }
            break;
        case Destination::Colours:
            for (const QChar c : t) {
                if (c != u';') continue;
                if (sawAutomatic_) colours_ << colour_;  // the first entry is the automatic colour
                sawAutomatic_ = true;
                colour_ = QColor(0, 0, 0);
            }
            break;
        case Destination::Hidden: break;
        }
    }

    QTextCursor& cursor_;
    const QByteArray& rtf_;
    QTextCharFormat base_;
    QHash<int, QString> fonts_;
    QVector<QColor> colours_;
    int fontNo_ = 0;
    QString fontName_;
    QColor colour_{0, 0, 0};
    bool sawAutomatic_ = false;
};

}  // namespace

void insert(QTextCursor& cursor, const QByteArray& rtf) {
    Reader(cursor, rtf).run();
}

}  // namespace rtf
