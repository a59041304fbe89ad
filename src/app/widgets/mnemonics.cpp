#include "app/widgets/mnemonics.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QSet>
#include <algorithm>

namespace tidewell {
namespace {

// Where the "&" of the mnemonic stands, or -1.
qsizetype AmpersandAt(const QString& text) {
    for (qsizetype at = 0; at + 1 < text.size(); ++at) {
        if (text[at] != QLatin1Char('&')) continue;
        if (text[at + 1] != QLatin1Char('&')) return at;
        ++at;  // "&&" is a plain "&"
    }
    return -1;
}

void SetMnemonicText(QWidget* control, const QString& text) {
    if (auto* button = qobject_cast<QAbstractButton*>(control)) button->setText(text);
    if (auto* label = qobject_cast<QLabel*>(control)) label->setText(text);
    if (auto* group = qobject_cast<QGroupBox*>(control)) group->setTitle(text);
}

// The text with its mnemonic on a key not in `taken`, or with none.
QString WithFreeMnemonic(QString text, const QSet<QString>& taken) {
    const qsizetype at = AmpersandAt(text);
    const bool bracketed = at > 0 && text[at - 1] == QLatin1Char('(') && at + 2 < text.size() &&
                           text[at + 2] == QLatin1Char(')');
    if (bracketed) {
        // A text in another script names its key in brackets: any free letter will do.
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            if (!taken.contains(QString(QChar::fromLatin1(letter)).toLower())) {
                text[at + 1] = QChar::fromLatin1(letter);
                return text;
            }
        }
        return text.remove(at - 1, 4);
    }
    text.remove(at, 1);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        if (text[i].isLetterOrNumber() && text[i].unicode() < 0x80 && !taken.contains(text[i].toLower()))
            return text.insert(i, QLatin1Char('&'));
    }
    return text;
}

}  // namespace

QString MnemonicText(const QWidget* control) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
    if (const auto* label = qobject_cast<const QLabel*>(control)) return label->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(control)) return group->title();
    return {};
}

QString MnemonicOf(const QString& text) {
    const qsizetype at = AmpersandAt(text);
    return at < 0 ? QString() : text.mid(at + 1, 1).toLower();
}

std::vector<QWidget*> MnemonicControls(const QWidget* scope) {
    std::vector<QWidget*> controls;
    for (QWidget* child : scope->findChildren<QWidget*>()) {
        if (!MnemonicOf(MnemonicText(child)).isEmpty()) controls.push_back(child);
    }
    return controls;
}

void MakeMnemonicsUnique(const QWidget* window, const std::vector<QWidget*>& scopes) {
    QSet<QString> windowKeys;
    for (QWidget* control : MnemonicControls(window)) {
        const bool inScope = std::any_of(scopes.begin(), scopes.end(), [control](const QWidget* scope) {
            return scope->isAncestorOf(control);
        });
        if (!inScope) windowKeys.insert(MnemonicOf(MnemonicText(control)));
    }
    for (QWidget* scope : scopes) {
        QSet<QString> taken = windowKeys;
        // What the scope shows whatever its choices keep their keys first; the parts that only
        // one choice shows get the keys left.
        std::vector<QWidget*> controls = MnemonicControls(scope);
        std::stable_partition(controls.begin(), controls.end(),
                              [scope](const QWidget* control) { return control->isVisibleTo(scope); });
        for (QWidget* control : controls) {
            const QString key = MnemonicOf(MnemonicText(control));
            if (taken.contains(key)) {
                SetMnemonicText(control, WithFreeMnemonic(MnemonicText(control), taken));
            }
            const QString kept = MnemonicOf(MnemonicText(control));
            if (!kept.isEmpty()) taken.insert(kept);
        }
    }
}

}  // namespace tidewell
