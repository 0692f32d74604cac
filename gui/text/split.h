#pragma once
// The small string family every reader of declarative text uses: splitting with an
// optional protected stretch, marker extraction and removal, and the toolkit's one error
// report. Strings are UTF-8; "one character" below means one code point.
#include <string>
#include <string_view>
#include <vector>

// Reports an error in a message box (" >> BLAD! << : " + msg) and returns 0; the caller
// goes on with defaults.
int errorMsg(const std::string& msg);

// `s` without any double-quote character.
std::string usunCytat(std::string_view s);

// Splits `text` at `sep` (non-empty, may be several characters). When `q1` and `q2` are
// both given (one character each) the stretch between them is protected from splitting
// and the two characters are dropped. Empty fields are kept, except a trailing one, so ""
// gives no fields.
std::vector<std::string> rozbijTekst(std::string_view text, std::string_view sep,
                                     std::string_view q1 = {}, std::string_view q2 = {});
// As rozbijTekst, and `sep` also does not split inside double quotes (which are kept).
std::vector<std::string> rozbijTekstQ(std::string_view text, std::string_view sep,
                                      std::string_view q1 = {}, std::string_view q2 = {});

// 1 when every character is a digit 0-9 (also for ""), else 0.
int jestCalkowita(std::string_view s);

// Contents of the markers `open` ... `close` in order. mode 0: delimiters count
// everywhere; 1: not inside double quotes; other: never. A nested open or a stray close
// is reported through errorMsg and the walk goes on.
std::vector<std::string> wyciagnijZnaczniki(std::string_view text, std::string_view open,
                                            std::string_view close, int mode);
// The same walk; returns the text outside the markers, without delimiters and quotes.
std::string usunZnaczniki(std::string_view text, std::string_view open,
                          std::string_view close, int mode);

// The parts whose trimmed form is not empty, untrimmed, in order.
std::vector<std::string> usunPuste(const std::vector<std::string>& parts);
