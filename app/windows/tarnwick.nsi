; The Windows installer: tarnwick's terms first, then for the current user or for all users the program
; with its notices, a Start-menu entry and an uninstaller.
; Built by scripts/windows.sh: makensis -DVERSION=1.00 -DFILES=FOLDER -DLICENSE_PAGE=... -DICON=... -DOUTFILE=...
; FOLDER holds tarnwick.exe and the texts that go beside it; LICENSE_PAGE is LICENSE.txt with each
; paragraph on one line, which the licence box wraps to its own width.
; A 32-bit installer, like the program: it runs on 32- and 64-bit Windows alike, from XP SP3 on.
Target x86-unicode
; zlib rather than LZMA: zlib's licence asks nothing of a program that carries it, LZMA's (the CPL) does.
SetCompressor /SOLID zlib
ManifestDPIAware true

!define APP_NAME "DEBUG代码查询系统"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\tarnwick"

Name "${APP_NAME}"
OutFile "${OUTFILE}"
BrandingText "tarnwick ${VERSION}"
; Written Chinese sets no blank between the name and the Chinese around it, nor before "，" or "。".
; NSIS's own Simplified Chinese strings do, and the one under the licence box names a button that is
; not there: every such string a page or message box shows is given here instead.
Caption "${APP_NAME}安装程序"
UninstallCaption "${APP_NAME}卸载程序"

; Administrators choose per machine or per user; other users install for themselves without a UAC prompt.
; The uninstaller finds its mode again from the key the installer wrote (HKLM or HKCU).
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE ; /AllUsers or /CurrentUser, also with /S
; For all users in Program Files, which on 64-bit Windows is the 32-bit programs' Program Files (x86).
!define MULTIUSER_INSTALLMODE_INSTDIR tarnwick
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME InstallLocation
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME InstallLocation
!define MULTIUSER_INIT_TEXT_ADMINREQUIRED "$(^Caption)需要管理员权限。"
!define MULTIUSER_INIT_TEXT_POWERREQUIRED "$(^Caption)至少需要 Power Users 权限。"
!define MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE "您的账户没有为本机所有用户安装$(^Name)的权限。"
!define MULTIUSER_INSTALLMODEPAGE_TEXT_TOP "选择只为自己安装${APP_NAME}，还是为本机的所有用户安装。$(^ClickNext)"
!include MultiUser.nsh
!include MUI2.nsh
!include WinVer.nsh

; Everything that goes beside the program, installed and removed alike.
!macro EACH_FILE DO
    !insertmacro ${DO} tarnwick.exe
    !insertmacro ${DO} readme.txt
    !insertmacro ${DO} LICENSE.txt
    !insertmacro ${DO} THIRD-PARTY-NOTICES.txt
!macroend
!macro INSTALL NAME
    File "${FILES}/${NAME}"
!macroend
!macro REMOVE NAME
    Delete "$INSTDIR\${NAME}"
!macroend

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_ABORTWARNING_TEXT "确定要退出${APP_NAME}安装程序吗？"
; The finish page's "run" starts the program as the signed-in user: see StartAsUser.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartAsUser
!define MUI_FINISHPAGE_RUN_TEXT "运行${APP_NAME}(&R)"
!define MUI_FINISHPAGE_TITLE "${APP_NAME}安装完成"
!define MUI_FINISHPAGE_TEXT "${APP_NAME}已经成功安装到本机。$\r$\n点击 [完成(F)] 关闭安装程序。"

!define MUI_PAGE_HEADER_SUBTEXT "在安装${APP_NAME}之前，请阅读许可证条款。"
!define MUI_LICENSEPAGE_TEXT_BOTTOM "如果你接受许可证的条款，请点击 [我接受(I)] 继续安装。必须接受这些条款才能安装${APP_NAME}。"
!insertmacro MUI_PAGE_LICENSE "${LICENSE_PAGE}"
!define MUI_PAGE_HEADER_SUBTEXT "选择为哪些用户安装${APP_NAME}。"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!define MUI_PAGE_HEADER_SUBTEXT "选择${APP_NAME}的安装文件夹。"
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "安装文件夹"
!define MUI_DIRECTORYPAGE_TEXT_TOP "安装程序将把${APP_NAME}安装到以下文件夹。要安装到其他文件夹，请点击 [浏览(B)...] 并选择。$_CLICK"
!insertmacro MUI_PAGE_DIRECTORY
!define MUI_PAGE_HEADER_SUBTEXT "${APP_NAME}正在安装，请稍候。"
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!define MUI_PAGE_HEADER_TEXT "卸载${APP_NAME}"
!define MUI_PAGE_HEADER_SUBTEXT "从本机卸载${APP_NAME}。"
!define MUI_UNCONFIRMPAGE_TEXT_TOP "此向导将从本机卸载${APP_NAME}。$_CLICK"
!define MUI_UNCONFIRMPAGE_TEXT_LOCATION "卸载文件夹："
!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_PAGE_HEADER_SUBTEXT "${APP_NAME}正在卸载，请稍候。"
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"
; The browse dialog's prompt, the directory page's sizes and the lines of the installing pages' details.
LangString ^DirBrowseText ${LANG_SIMPCHINESE} "选择安装${APP_NAME}的文件夹："
LangString ^SpaceAvailable ${LANG_SIMPCHINESE} "可用空间："
LangString ^SpaceRequired ${LANG_SIMPCHINESE} "所需空间："
LangString ^OutputFolder ${LANG_SIMPCHINESE} "输出文件夹："
LangString ^Extract ${LANG_SIMPCHINESE} "解压缩："
LangString ^CreatedUninstaller ${LANG_SIMPCHINESE} "创建卸载程序："
LangString ^CreateShortcut ${LANG_SIMPCHINESE} "创建快捷方式："
LangString ^Delete ${LANG_SIMPCHINESE} "删除文件："
LangString ^RemoveFolder ${LANG_SIMPCHINESE} "删除文件夹："

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductName" "tarnwick"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileDescription" "${APP_NAME}安装程序"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "CompanyName" "The tarnwick developers"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "LegalCopyright" "© 2026 The tarnwick developers"

Function .onInit
    ; The program needs Windows XP SP3 or later (XP x64 and Server 2003 report 5.2 and pass). Abort here
    ; ends a silent install with exit code 2.
    ; LogicLib reads the conditions left to right: (XP and below SP3) or below XP.
    ${If} ${IsWinXP}
    ${AndIfNot} ${AtLeastServicePack} 3
    ${OrIfNot} ${AtLeastWinXP}
        MessageBox MB_OK|MB_ICONSTOP "$(^Name)需要 Windows XP SP3 或更新版本。" /SD IDOK
        Abort
    ${EndIf}
    ; The 32-bit view, which a 32-bit installer gets anyway on 64-bit Windows: said here, so that the
    ; uninstaller and any tool reading the entry look where it was written.
    SetRegView 32
    !insertmacro MULTIUSER_INIT
FunctionEnd

; An administrator's installer runs elevated (MULTIUSER_EXECUTIONLEVEL Highest), and a program it
; starts would run elevated too, as the administrator who typed their password: not what a user who
; only looks up codes should get. The desktop's shell runs as the signed-in user, unelevated, so it is
; asked to start the program: the shell window of the desktop (IShellWindows::FindWindowSW), its view's
; Shell.Application object (IShellFolderViewDual::get_Application) and its
; IShellDispatch2::ShellExecute. Where there is no such shell to ask (another shell than Explorer), the
; program is started directly; so it is on Windows XP, whose installer runs as the user anyway.
!macro RELEASE POINTER
    ${If} ${POINTER} P<> 0
        System::Call "${POINTER}->2()"
    ${EndIf}
!macroend
Function StartAsUser
    System::Store S
    StrCpy $R9 1 ; not yet started
    StrCpy $1 0
    StrCpy $5 0
    StrCpy $6 0
    StrCpy $7 0
    StrCpy $8 0
    StrCpy $9 0
    StrCpy $R0 0
    StrCpy $R1 0
    StrCpy $R2 0
    System::Call 'ole32::CoInitialize(p 0) i .R8' ; S_FALSE where the installer has COM already
    ; CLSID_ShellWindows, IID_IShellWindows; in the shell's process (CLSCTX_LOCAL_SERVER)
    System::Call 'ole32::CoCreateInstance(g "{9BA05972-F6A8-11CF-A442-00A0C90A8F39}", p 0, i 4, \
        g "{85CB6900-4D95-11CF-960C-0080C7F4EE85}", *p .r1) i .r0'
    ${If} $0 = 0
        System::Call '*(i 3, i 0, i 0, i 0) p .r2' ; VARIANT VT_I4 CSIDL_DESKTOP
        System::Call '*(i 0, i 0, i 0, i 0) p .r3' ; VARIANT VT_EMPTY
        ; FindWindowSW(&desktop, &empty, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, &dispatch)
        System::Call "$1->15(p r2, p r3, i 8, *i .r4, i 1, *p .r5) i .r0"
        System::Free $2
        System::Free $3
    ${EndIf}
    ${If} $0 = 0
    ${AndIf} $5 P<> 0
        System::Call "$5->0(g '{6D5140C1-7436-11CE-8034-00AA006009FA}', *p .r6) i .r0" ; IServiceProvider
    ${EndIf}
    ${If} $0 = 0
        ; QueryService(SID_STopLevelBrowser, IID_IShellBrowser)
        System::Call "$6->3(g '{4C96BE40-915C-11CF-99D3-00AA004AE837}', \
            g '{000214E2-0000-0000-C000-000000000046}', *p .r7) i .r0"
    ${EndIf}
    ${If} $0 = 0
        System::Call "$7->15(*p .r8) i .r0" ; IShellBrowser::QueryActiveShellView
    ${EndIf}
    ${If} $0 = 0
        ; IShellView::GetItemObject(SVGIO_BACKGROUND, IID_IDispatch)
        System::Call "$8->15(i 0, g '{00020400-0000-0000-C000-000000000046}', *p .r9) i .r0"
    ${EndIf}
    ${If} $0 = 0
        System::Call "$9->0(g '{E7A1AF80-4D96-11CF-960C-0080C7F4EE85}', *p .R0) i .r0" ; IShellFolderViewDual
    ${EndIf}
    ${If} $0 = 0
        System::Call "$R0->7(*p .R1) i .r0" ; get_Application
    ${EndIf}
    ${If} $0 = 0
        System::Call "$R1->0(g '{A4C6892C-3BA9-11D2-9DEA-00C04FB16162}', *p .R2) i .r0" ; IShellDispatch2
    ${EndIf}
    ${If} $0 = 0
        System::Call 'oleaut32::SysAllocString(w "$INSTDIR\tarnwick.exe") p .R3'
        ; ShellExecute(file, arguments, folder, verb, show): four VARIANTs passed by value, 16 bytes each
        ; on the stack (type, three reserved words, value). The first three are empty; show is VT_I4
        ; SW_SHOWNORMAL, as an empty one would be taken as 0, SW_HIDE: started, reported done, never seen.
        System::Call "$R2->31(p R3, i 0, i 0, i 0, i 0, i 0, i 0, i 0, i 0, i 0, i 0, i 0, i 0, \
            i 3, i 0, i 1, i 0) i .r0"
        System::Call 'oleaut32::SysFreeString(p R3)'
        ${If} $0 = 0
            StrCpy $R9 0
        ${EndIf}
    ${EndIf}
    !insertmacro RELEASE $R2
    !insertmacro RELEASE $R1
    !insertmacro RELEASE $R0
    !insertmacro RELEASE $9
    !insertmacro RELEASE $8
    !insertmacro RELEASE $7
    !insertmacro RELEASE $6
    !insertmacro RELEASE $5
    !insertmacro RELEASE $1
    ${If} $R8 >= 0
        System::Call 'ole32::CoUninitialize()'
    ${EndIf}
    ${If} $R9 <> 0
        Exec '"$INSTDIR\tarnwick.exe"'
    ${EndIf}
    System::Store L
FunctionEnd

Function un.onInit
    SetRegView 32
    !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section
    SetOutPath "$INSTDIR"
    !insertmacro EACH_FILE INSTALL
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortCut "$SMPROGRAMS\${APP_NAME}.lnk" "$INSTDIR\tarnwick.exe" "" "$INSTDIR\tarnwick.exe" 0

    ; Listed in Add/Remove Programs (Settings > Apps on Windows 10 and 11), with the mode the uninstaller
    ; needs.
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP_NAME}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tarnwick.exe,0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "The tarnwick developers"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\${APP_NAME}.lnk"
    !insertmacro EACH_FILE REMOVE
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR" ; only if empty: files the user put there stay
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
