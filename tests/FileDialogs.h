#pragma once

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QTest>

// Chooses in the toolkit's file dialog the file (or folder) of the name, as the user types it, and
// presses Save or Open.
inline void ChooseInFileDialog(QFileDialog* dialog, const QString& name) {
    dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
    auto* box = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    QPushButton* accept =
        box->button(dialog->acceptMode() == QFileDialog::AcceptSave ? QDialogButtonBox::Save
                                                                    : QDialogButtonBox::Open);
    QTest::mouseClick(accept, Qt::LeftButton);
}
