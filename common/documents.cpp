#include "common/documents.h"

dictionary_document_record dictionary_document;
list_document thesaurus_document;
list_document autocorrect_document;

void dictionary_count_changed() { dictionary_document.list.notify_count_changed(); }
