; The setup's own texts in English; MUI2 brings the rest of the pages' texts.
LangString DisplayNameText ${LANG_ENGLISH} "Pennydance screen saver"
LangString MakeCurrentText ${LANG_ENGLISH} "Use Pennydance as my screen saver"
LangString OpenSettingsText ${LANG_ENGLISH} "Open the screen saver settings"
LangString ProgramSectionText ${LANG_ENGLISH} "Pennydance"
LangString SettingsSectionText ${LANG_ENGLISH} "My Pennydance settings"
LangString NeedAdminText ${LANG_ENGLISH} "Pennydance goes into the Windows system folder, which needs an administrator.$\r$\nPlease run the setup as an administrator."
