#pragma once

// A field's element in the file and, when the state document shows the field, its key there.
struct SaveField {
    const char* tag;
    const char* key = nullptr;
};
