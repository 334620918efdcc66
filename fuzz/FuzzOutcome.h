#pragma once
// What a reader target did with its last input: gave a picture (or a store),
// or refused the input with one of the program's exceptions. libFuzzer ignores
// it; the unit tests' replay compares it with the outcome a kept input is known
// to have (fuzz/corpus/<target>.outcomes), so a reader that starts refusing
// good pictures, or accepting broken ones, fails there even though no check of
// the target trips.
namespace quill::fuzzoutcome {

enum class TOutcome { Unstated, Loads, Refused };

inline TOutcome Last = TOutcome::Unstated;

// Records the outcome; returns the entry point's 0.
inline int State(TOutcome outcome) {
  Last = outcome;
  return 0;
}

}  // namespace quill::fuzzoutcome
