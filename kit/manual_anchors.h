// The sections of the HTML manual that the tool windows open with F1
// (open_manual_page in kit/window_helpers.h). The manual's test checks
// that each exists in the page.
#pragma once

inline constexpr char16_t manual_anchor_aff_validate[] = u"#5.2.5.1.aff_validate";
inline constexpr char16_t manual_anchor_bulk_import[] = u"#5.2.5.2.bulk_import";
inline constexpr char16_t manual_anchor_possessive_names[] = u"#5.2.5.3.import_places_names_possessives";
inline constexpr char16_t manual_anchor_gbza_conversions[] = u"#5.2.5.4.GB_to_AU_CA_NZ_ZA";
inline constexpr char16_t manual_anchor_dictionary_duplicates[] = u"#5.2.5.8.show_duplicates";
inline constexpr char16_t manual_anchor_duplicates_wordlist[] = u"#5.2.5.9.show_duplicates_wordlist";
inline constexpr char16_t manual_anchor_statistics[] = u"#5.2.5.10.statistics";
inline constexpr char16_t manual_anchor_master_wordlist[] = u"#5.2.5.11.words_missing_master_wordlist";
inline constexpr char16_t manual_anchor_crunch[] = u"#5.2.5.13.crunch_words_with_flags";
