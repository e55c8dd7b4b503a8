#pragma once

#include "link/program_state.h"

#include <tuple>
#include <type_traits>

namespace interlock {

// Copies of program-state records, taken once a page has checked and stored what
// its controls show. The page writes these copies, so a record answer that arrives
// during its waits (the interlock's old record, unasked) changes nothing that goes
// out; afterwards the program state holds them again, as written.
template <auto... Records> class CheckedRecords {
  public:
    explicit CheckedRecords(const ProgramState& state) : copies_{state.*Records...} {}

    template <typename Record> const Record& get() const { return std::get<Record>(copies_); }

    // Back into the program state, whatever arrived meanwhile.
    void restore(ProgramState& state) const { ((state.*Records = copyOf<Records>()), ...); }

  private:
    template <auto Member>
    using RecordOf = std::remove_cvref_t<decltype(std::declval<ProgramState&>().*Member)>;
    template <auto Member> const RecordOf<Member>& copyOf() const {
        return std::get<RecordOf<Member>>(copies_);
    }

    std::tuple<RecordOf<Records>...> copies_;
};

} // namespace interlock
