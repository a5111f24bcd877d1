; The setup's own texts in Japanese; MUI2 brings the rest of the pages' texts.
LangString DisplayNameText ${LANG_JAPANESE} "Pennydance　スクリーンセーバー"
LangString MakeCurrentText ${LANG_JAPANESE} "Pennydance をスクリーンセーバーにする"
LangString OpenSettingsText ${LANG_JAPANESE} "スクリーンセーバーの設定を開く"
LangString ProgramSectionText ${LANG_JAPANESE} "Pennydance"
LangString SettingsSectionText ${LANG_JAPANESE} "Pennydance の設定"
LangString NeedAdminText ${LANG_JAPANESE} "Pennydance は Windows のシステム フォルダーに入るため、管理者の権限が必要です。$\r$\n管理者としてセットアップを実行してください。"
