#include "common/documents.h"

dictionary_document_record dictionary_document;

void dictionary_count_changed() { dictionary_document.list.notify_count_changed(); }
