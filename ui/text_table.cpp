// text_table.cpp - a dialog's table of texts and its rows.
#include "ui/text_table.h"

#include <QHeaderView>

namespace nk {

QTableWidget* makeTextTable(QWidget& parent, const char* name, int columns, const char* (*header)(int), int stretch) {
  auto* table = new QTableWidget(0, columns, &parent);
  table->setObjectName(QString::fromUtf8(name));
  QStringList headers;
  for (int c = 0; header && c < columns; ++c) headers << QString::fromUtf8(header(c));
  if (header) table->setHorizontalHeaderLabels(headers);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setWordWrap(false);
  table->verticalHeader()->hide();
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table->horizontalHeader()->setSectionResizeMode(stretch, QHeaderView::Stretch);
  return table;
}

void setTextRow(QTableWidget& table, int row, const std::vector<std::string>& cells, int firstNumber,
                bool firstIsNumber) {
  for (size_t c = 0; c < cells.size(); ++c) {
    auto* item = new QTableWidgetItem(QString::fromStdString(cells[c]));
    const bool number = (c == 0 && firstIsNumber) || static_cast<int>(c) >= firstNumber;
    item->setTextAlignment(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    table.setItem(row, static_cast<int>(c), item);
  }
}

}  // namespace nk
