#include "log/export_text.h"

namespace interlock {

namespace {
// This program's own version, printed at the top of every export.
constexpr int kProgramMajor = 4;
constexpr int kProgramMinor = 4;
} // namespace

std::string exportFileName(const LogStamp& local, std::string_view registration) {
    // A registration may hold what no file name may on Linux or Windows ("AB/12",
    // "<AB12>"): those characters become '_' in the name; the file keeps the text.
    std::string name(registration);
    for (char& c : name) {
        if (static_cast<unsigned char>(c) < 0x20 ||
            std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos)
            c = '_';
    }
    return formatted("%02d%02d%02d-%02d%02d%02d-", local.year, local.month, local.day, local.hour,
                     local.minute, local.second) +
           name + ".csv";
}

void addOpeningBlock(LogTexts& texts, std::string_view registration, const InfoRecord& info,
                     const DiagnosisRecord& diagnosis) {
    texts.addFileForm("\n");
    texts.addRaw(registration);
    texts.addFileForm("\n\n");
    texts.addFileForm(formatted("PC Ver\t: %d.%d", kProgramMajor, kProgramMinor));
    texts.addFileForm("\n");
    texts.addFileForm(formatted("FW Ver\t: %d.%d", info.major(), info.minor()));
    texts.addFileForm("\n");
    texts.addFileForm("\n");
    texts.addFileForm(formatted("StartWithoutApproved : %d", diagnosis.StartWithoutApproved()));
    texts.addFileForm("\n");
    texts.addFileForm(formatted("NoPower : %d", diagnosis.NoPower()));
    texts.addFileForm("\n");
    texts.addFileForm(formatted("Starter_Test_Fail : %d", diagnosis.Starter_Test_Fail()));
    texts.addFileForm("\n");
    texts.addFileForm(formatted("Retest_Refuse : %d", diagnosis.Retest_Refuse()));
    texts.addFileForm("\n");
    texts.addFileForm(formatted("Retest_Fail : %d", diagnosis.Retest_Fail()));
    texts.addFileForm("\n");
}

void addHeaderRows(LogTexts& texts, const LogHeader& header, const LogStamp& t) {
    texts.addFileForm("\nHANDSET S/N  : ");
    texts.addRaw(header.handsetSerial());
    texts.addFileForm("\nCONTROLBOX S/N : ");
    texts.addRaw(header.controlSerial());
    texts.addFileForm("\n");
    texts.addFileForm(formatted("Service Date\t  : %d.", t.year));
    texts.addFileForm(formatted(" %d.", t.month));
    texts.addFileForm(formatted(" %d  ", t.day));
    texts.addFileForm(formatted("%d :", t.hour));
    texts.addFileForm(formatted(" %d \n", t.minute));
    texts.addFileForm(formatted("Service Period : %d \n\n", header.servicePeriod()));
}

} // namespace interlock
