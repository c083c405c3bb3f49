#pragma once

// The toolkit's own texts (the file dialogs' buttons, labels and questions) in French,
// like the rest of the game. Call once the application object exists; false when the
// translation is not installed, and the toolkit then speaks English.
bool loadFrenchToolkitTranslation();
