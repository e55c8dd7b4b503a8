#pragma once

#include <QDialog>
#include <QPushButton>

namespace interlock {

class Program;

// "Have you downloaded log data?": OK sends the delete log request, waits for the
// interlock and marks the log deleted; CANCEL leaves everything as it was.
class DeleteConfirmPage : public QDialog {
    Q_OBJECT
  public:
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    // The interlock's log has been deleted in this connection, here or earlier.
    bool logDeleted() const;

    // Refused while the delete request is being waited for.
    void reject() override;

  protected:
    struct Traces {
        const char* ok;
        const char* cancel;
    };
    DeleteConfirmPage(Program& program, const QString& caption, Traces traces, QWidget* parent);

  private:
    void onOk();

    Program& program_;
    Traces traces_;
    QPushButton* ok_;
    QPushButton* cancel_;
    bool deleting_ = false;
};

// The confirmation behind the DOWNLOAD page's DELETE LOG.
class CDelete_Log_Part2 : public DeleteConfirmPage {
    Q_OBJECT
  public:
    CDelete_Log_Part2(Program& program, QWidget* parent);
};

// The confirmation behind the PART 1 DELETE RECORD page.
class CDelete_Record_Confirm_Part1 : public DeleteConfirmPage {
    Q_OBJECT
  public:
    CDelete_Record_Confirm_Part1(Program& program, QWidget* parent);
};

// Runs a delete confirmation over its opening page; true when the opening page
// should close too: the log has been deleted in this connection, whichever button
// ended the confirmation.
bool confirmDelete(DeleteConfirmPage& confirmation);

} // namespace interlock
