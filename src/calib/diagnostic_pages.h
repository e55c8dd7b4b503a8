#pragma once

#include "calib/diagnostics.h"

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QTimer>

namespace interlock {

class Program;

// A diagnostics page: asks for a diagnosis report every 500 ms, with the states of
// its sound and relay boxes, and shows each report as it arrives.
class DiagnosticPage : public QDialog {
    Q_OBJECT
  public:
    QLineEdit* dateField() const { return date_; }
    QLineEdit* controlUnitSupplyField() const { return controlUnitSupply_; }
    QLineEdit* handsetSupplyField() const { return handsetSupply_; }
    QLineEdit* gSensorField() const { return gSensor_; }
    QCheckBox* soundBox() const { return sound_; }
    QCheckBox* relayBox() const { return relay_; }

    void done(int result) override;

  protected:
    DiagnosticPage(Program& program, DiagnosticsPage page, QWidget* parent);
    void showEvent(QShowEvent* event) override;
    // Shows `view`; the PART 1 page adds its counters.
    virtual void showView(const DiagnosticsView& view);
    // The DIAGNOSTICS section, under the page's own rows.
    void addDiagnosticsSection();

    Program& program_;

  private:
    void redraw();

    DiagnosticsPage page_;
    QTimer requests_;
    QLineEdit* date_ = nullptr;
    QLineEdit* controlUnitSupply_ = nullptr;
    QLineEdit* handsetSupply_ = nullptr;
    QLineEdit* gSensor_ = nullptr;
    QCheckBox* sound_ = nullptr;
    QCheckBox* relay_ = nullptr;
};

// "Diagnostics PART1": also the five violation counters; closing it switches
// diagnosis, sound and relay off on the interlock.
class CDiagnostic_Part1 : public DiagnosticPage {
    Q_OBJECT
  public:
    CDiagnostic_Part1(Program& program, QWidget* parent);

    QLineEdit* bypassField() const { return bypass_; }
    QLineEdit* noPowerField() const { return noPower_; }
    QLineEdit* retestRefuseField() const { return retestRefuse_; }
    QLineEdit* retestFailField() const { return retestFail_; }
    QLineEdit* startFailField() const { return startFail_; }

  protected:
    void showView(const DiagnosticsView& view) override;

  private:
    QLineEdit* bypass_ = nullptr;
    QLineEdit* noPower_ = nullptr;
    QLineEdit* retestRefuse_ = nullptr;
    QLineEdit* retestFail_ = nullptr;
    QLineEdit* startFail_ = nullptr;
};

// "Diagnostics PART2": closing it sends nothing; Enter does not close it.
class CDiagnostic_Part2 : public DiagnosticPage {
    Q_OBJECT
  public:
    CDiagnostic_Part2(Program& program, QWidget* parent);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace interlock
