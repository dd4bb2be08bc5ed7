// A row of the local search: the kept item's title over a stretch of its
// text, the searched words marked in both.
#pragma once

#include <QString>
#include <QStringList>

#include "platform/ui/lists/TableViewCell.h"

namespace tovera {

class LocalSearchCell : public platform::ui::TableViewCell {
    Q_OBJECT
public:
    static constexpr double kHeight = 64;

    explicit LocalSearchCell(QWidget* parent = nullptr);

    /// Shows `title` and `snippet` with every occurrence of `words` marked
    /// (letters of any case).
    void setResult(const QString& title, const QString& snippet, const QStringList& words);

    QString title() const;
    QString snippet() const;
    /// What a reader says for the row: its title.
    QString visibleText() const override { return title(); }
    /// The stretches of title and snippet drawn marked, in order.
    QStringList marked() const;
};

}  // namespace tovera
