#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;

// The modeless preferences dialog: reload of the last problem and graph at start, the update
// question, and the working directory. It only relays the user's clicks; the hub keeps the values.
class PreferenceWindow : public QDialog
{
    Q_OBJECT

public:
    PreferenceWindow();

    QCheckBox *reloadBox() const { return reload; }
    QCheckBox *askUpdateBox() const { return noAskUpdate; }
    QPushButton *workingDirectoryButton() const { return changeWd; }
    QPushButton *doneButton() const { return done; }

public slots:
    // Tick or clear the boxes from the program (nothing is sent back).
    void slot_reload(bool on);
    void slot_ask_update(bool on);
    void slot_set_reload(bool on) { emit signal_set_reload(on); }
    void slot_set_ask_update(bool on) { emit signal_set_ask_update(on); }
    void slot_change_wd() { emit signal_change_wd(); }

signals:
    void signal_set_reload(bool);
    void signal_change_wd();
    void signal_set_ask_update(bool);

private:
    QCheckBox *reload;
    QCheckBox *noAskUpdate;
    QPushButton *changeWd;
    QPushButton *done;
};
