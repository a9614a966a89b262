<?xml version="1.0" encoding="UTF-8"?>
<!-- common.xsl: the block that every stylesheet of the manual carries
     (phrase table, language, interface, file names, output directory and
     helper templates). It is kept here once and is no resource itself: the
     build puts the lines from the phrase table down to the end-of-block
     comment in place of the placeholder comment line "common block:
     common.xsl" of each stylesheet, so that every embedded and every
     extracted stylesheet stands alone. -->
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:v="urn:vornc:manual"
    exclude-result-prefixes="v">
  <v:phrases>
    <v:phrase id="creates_handle_state_modified"><v:en_US>This operator creates a handle; the operators that take the handle as input may modify its state.</v:en_US><v:de_DE>Dieser Operator erzeugt ein Handle; die Operatoren, die das Handle als Eingabe erhalten, können seinen Zustand verändern.</v:de_DE><v:ja_JP>このオペレータはハンドルを作成します。そのハンドルを入力とするオペレータはその状態を変更することがあります。</v:ja_JP></v:phrase>
    <v:phrase id="has_parameter_state_modified_end"><v:en_US> is modified by the operator.</v:en_US><v:de_DE> wird vom Operator verändert.</v:de_DE><v:ja_JP> はオペレータによって変更されます。</v:ja_JP></v:phrase>
    <v:phrase id="has_parameter_state_modified_start"><v:en_US>The state of the input parameter </v:en_US><v:de_DE>Der Zustand des Eingabeparameters </v:de_DE><v:ja_JP>入力パラメータ </v:ja_JP></v:phrase>
    <v:phrase id="has_parameters_state_modified_end"><v:en_US> are modified by the operator.</v:en_US><v:de_DE> werden vom Operator verändert.</v:de_DE><v:ja_JP> はオペレータによって変更されます。</v:ja_JP></v:phrase>
    <v:phrase id="has_parameters_state_modified_start"><v:en_US>The states of the input parameters </v:en_US><v:de_DE>Die Zustände der Eingabeparameter </v:de_DE><v:ja_JP>入力パラメータ </v:ja_JP></v:phrase>
    <v:phrase id="interrupt_mode_break"><v:en_US>The operator can be interrupted by a break; it then returns its intermediate result.</v:en_US><v:de_DE>Der Operator kann unterbrochen werden; er liefert dann sein Zwischenergebnis.</v:de_DE><v:ja_JP>このオペレータは中断でき、その時点の途中結果を返します。</v:ja_JP></v:phrase>
    <v:phrase id="interrupt_mode_cancel"><v:en_US>The operator can be cancelled while it runs.</v:en_US><v:de_DE>Der Operator kann während der Ausführung abgebrochen werden.</v:de_DE><v:ja_JP>このオペレータは実行中にキャンセルできます。</v:ja_JP></v:phrase>
    <v:phrase id="legal_note"><v:en_US>This manual is published by the VORNIX Library Team, 1 Example Road, 00000 Sample City. All rights reserved. No part of this publication may be reproduced, stored or transmitted in any form without prior written permission of the publisher.</v:en_US><v:de_DE>Dieses Handbuch wird vom VORNIX Library Team, Beispielweg 1, 00000 Musterstadt, herausgegeben. Alle Rechte vorbehalten. Kein Teil dieser Veröffentlichung darf ohne vorherige schriftliche Genehmigung des Herausgebers vervielfältigt, gespeichert oder übertragen werden.</v:de_DE><v:ja_JP>このマニュアルは VORNIX Library Team (1 Example Road, 00000 Sample City) が発行しています。無断転載を禁じます。</v:ja_JP></v:phrase>
    <v:phrase id="note_windows_only"><v:en_US>Available on Windows only.</v:en_US><v:de_DE>Nur unter Windows verfügbar.</v:de_DE><v:ja_JP>Windows でのみ使用できます。</v:ja_JP></v:phrase>
    <v:phrase id="parallel_compute_device_object"><v:en_US>Runs on compute devices of the object kind.</v:en_US><v:de_DE>Läuft auf Rechengeräten der Art Objekt.</v:de_DE><v:ja_JP>オブジェクト種別の演算デバイスで実行できます。</v:ja_JP></v:phrase>
    <v:phrase id="parallel_compute_device_opencl"><v:en_US>Runs on OpenCL compute devices.</v:en_US><v:de_DE>Läuft auf OpenCL-Rechengeräten.</v:de_DE><v:ja_JP>OpenCL 演算デバイスで実行できます。</v:ja_JP></v:phrase>
    <v:phrase id="parallel_method_none"><v:en_US>Not automatically parallelized.</v:en_US><v:de_DE>Keine automatische Parallelisierung.</v:de_DE><v:ja_JP>自動並列化されません。</v:ja_JP></v:phrase>
    <v:phrase id="parallel_method_split_channel"><v:en_US>Automatically parallelized on channel level.</v:en_US><v:de_DE>Automatisch parallelisiert auf Kanalebene.</v:de_DE><v:ja_JP>チャンネルレベルで自動並列化されます。</v:ja_JP></v:phrase>
    <v:phrase id="parallel_method_split_domain"><v:en_US>Automatically parallelized on domain level.</v:en_US><v:de_DE>Automatisch parallelisiert auf Bereichsebene.</v:de_DE><v:ja_JP>領域レベルで自動並列化されます。</v:ja_JP></v:phrase>
    <v:phrase id="parallel_method_split_partial"><v:en_US>Automatically parallelized on internal data level.</v:en_US><v:de_DE>Automatisch parallelisiert auf interner Datenebene.</v:de_DE><v:ja_JP>内部データレベルで自動並列化されます。</v:ja_JP></v:phrase>
    <v:phrase id="parallel_method_split_tuple"><v:en_US>Automatically parallelized on tuple level.</v:en_US><v:de_DE>Automatisch parallelisiert auf Tupelebene.</v:de_DE><v:ja_JP>タプルレベルで自動並列化されます。</v:ja_JP></v:phrase>
    <v:phrase id="parallel_sync_scope"><v:en_US>Scope of synchronization</v:en_US><v:de_DE>Bereich der Synchronisation</v:de_DE><v:ja_JP>同期の範囲</v:ja_JP></v:phrase>
    <v:phrase id="parallel_sync_scope_global"><v:en_US>global</v:en_US><v:de_DE>global</v:de_DE><v:ja_JP>グローバル</v:ja_JP></v:phrase>
    <v:phrase id="parallel_sync_scope_local"><v:en_US>local</v:en_US><v:de_DE>lokal</v:de_DE><v:ja_JP>ローカル</v:ja_JP></v:phrase>
    <v:phrase id="parallel_sync_type"><v:en_US>Multithreading type</v:en_US><v:de_DE>Multithreading-Typ</v:de_DE><v:ja_JP>マルチスレッドの種類</v:ja_JP></v:phrase>
    <v:phrase id="parallel_sync_type_exclusive"><v:en_US>exclusive (runs in parallel only with independent operators)</v:en_US><v:de_DE>exklusiv (läuft nur parallel zu unabhängigen Operatoren)</v:de_DE><v:ja_JP>排他 (独立したオペレータとのみ並列に実行されます)</v:ja_JP></v:phrase>
    <v:phrase id="parallel_sync_type_independent"><v:en_US>independent (runs in parallel even with exclusive operators)</v:en_US><v:de_DE>unabhängig (läuft auch parallel zu exklusiven Operatoren)</v:de_DE><v:ja_JP>独立 (排他オペレータとも並列に実行されます)</v:ja_JP></v:phrase>
    <v:phrase id="parallel_sync_type_mutual"><v:en_US>mutual exclusive (runs in parallel with other non-exclusive operators, but not with itself)</v:en_US><v:de_DE>wechselseitig exklusiv (läuft parallel zu anderen nicht exklusiven Operatoren, aber nicht zu sich selbst)</v:de_DE><v:ja_JP>相互排他 (他の非排他オペレータとは並列に実行されますが、自身とは並列に実行されません)</v:ja_JP></v:phrase>
    <v:phrase id="parallel_sync_type_reentrant"><v:en_US>reentrant (runs in parallel with non-exclusive operators)</v:en_US><v:de_DE>reentrant (läuft parallel zu nicht exklusiven Operatoren)</v:de_DE><v:ja_JP>再入可能 (非排他オペレータと並列に実行されます)</v:ja_JP></v:phrase>
    <v:phrase id="parameter_state_modified"><v:en_US>The state of this parameter is modified by the operator.</v:en_US><v:de_DE>Der Zustand dieses Parameters wird vom Operator verändert.</v:de_DE><v:ja_JP>このパラメータの状態はオペレータによって変更されます。</v:ja_JP></v:phrase>
    <v:phrase id="param_assertion"><v:en_US>Assertion</v:en_US><v:de_DE>Zusicherung</v:de_DE><v:ja_JP>保証</v:ja_JP></v:phrase>
    <v:phrase id="param_attention"><v:en_US>Attention</v:en_US><v:de_DE>Achtung</v:de_DE><v:ja_JP>注意</v:ja_JP></v:phrase>
    <v:phrase id="param_cd_types"><v:en_US>Code types</v:en_US><v:de_DE>Codetypen</v:de_DE><v:ja_JP>コード型</v:ja_JP></v:phrase>
    <v:phrase id="param_cd_values"><v:en_US>Code values</v:en_US><v:de_DE>Codewerte</v:de_DE><v:ja_JP>コード値</v:ja_JP></v:phrase>
    <v:phrase id="param_default"><v:en_US>Default</v:en_US><v:de_DE>Default</v:de_DE><v:ja_JP>デフォルト</v:ja_JP></v:phrase>
    <v:phrase id="param_file_extension"><v:en_US>File extension</v:en_US><v:de_DE>Dateiendung</v:de_DE><v:ja_JP>ファイル拡張子</v:ja_JP></v:phrase>
    <v:phrase id="param_restriction"><v:en_US>Restriction</v:en_US><v:de_DE>Einschränkung</v:de_DE><v:ja_JP>制限</v:ja_JP></v:phrase>
    <v:phrase id="param_value_list"><v:en_US>List of values</v:en_US><v:de_DE>Werteliste</v:de_DE><v:ja_JP>値リスト</v:ja_JP></v:phrase>
    <v:phrase id="param_value_number"><v:en_US>Number of elements</v:en_US><v:de_DE>Anzahl der Elemente</v:de_DE><v:ja_JP>要素数</v:ja_JP></v:phrase>
    <v:phrase id="param_value_range"><v:en_US>Value range</v:en_US><v:de_DE>Wertebereich</v:de_DE><v:ja_JP>値の範囲</v:ja_JP></v:phrase>
    <v:phrase id="param_value_step_min"><v:en_US>Minimum increment</v:en_US><v:de_DE>Minimale Schrittweite</v:de_DE><v:ja_JP>最小増分</v:ja_JP></v:phrase>
    <v:phrase id="param_value_step_rec"><v:en_US>Recommended increment</v:en_US><v:de_DE>Empfohlene Schrittweite</v:de_DE><v:ja_JP>推奨増分</v:ja_JP></v:phrase>
    <v:phrase id="param_value_suggestions"><v:en_US>Suggested values</v:en_US><v:de_DE>Wertevorschläge</v:de_DE><v:ja_JP>推奨値</v:ja_JP></v:phrase>
    <v:phrase id="sec_alternatives"><v:en_US>Alternatives</v:en_US><v:de_DE>Alternativen</v:de_DE><v:ja_JP>代替</v:ja_JP></v:phrase>
    <v:phrase id="sec_attention"><v:en_US>Attention</v:en_US><v:de_DE>Achtung</v:de_DE><v:ja_JP>注意</v:ja_JP></v:phrase>
    <v:phrase id="sec_class_base"><v:en_US>Base class</v:en_US><v:de_DE>Basisklasse</v:de_DE><v:ja_JP>基底クラス</v:ja_JP></v:phrase>
    <v:phrase id="sec_class_constructors"><v:en_US>Constructors</v:en_US><v:de_DE>Konstruktoren</v:de_DE><v:ja_JP>コンストラクタ</v:ja_JP></v:phrase>
    <v:phrase id="sec_class_destructor"><v:en_US>Destructor</v:en_US><v:de_DE>Destruktor</v:de_DE><v:ja_JP>デストラクタ</v:ja_JP></v:phrase>
    <v:phrase id="sec_class_finalizer"><v:en_US>Finalizer</v:en_US><v:de_DE>Finalisierer</v:de_DE><v:ja_JP>ファイナライザ</v:ja_JP></v:phrase>
    <v:phrase id="sec_class_methods"><v:en_US>Methods</v:en_US><v:de_DE>Methoden</v:de_DE><v:ja_JP>メソッド</v:ja_JP></v:phrase>
    <v:phrase id="sec_complexity"><v:en_US>Complexity</v:en_US><v:de_DE>Komplexität</v:de_DE><v:ja_JP>計算量</v:ja_JP></v:phrase>
    <v:phrase id="sec_description"><v:en_US>Description</v:en_US><v:de_DE>Beschreibung</v:de_DE><v:ja_JP>説明</v:ja_JP></v:phrase>
    <v:phrase id="sec_effects"><v:en_US>Effects</v:en_US><v:de_DE>Auswirkungen</v:de_DE><v:ja_JP>効果</v:ja_JP></v:phrase>
    <v:phrase id="sec_example"><v:en_US>Example</v:en_US><v:de_DE>Beispiel</v:de_DE><v:ja_JP>例</v:ja_JP></v:phrase>
    <v:phrase id="sec_execution"><v:en_US>Execution information</v:en_US><v:de_DE>Ausführungsinformationen</v:de_DE><v:ja_JP>実行情報</v:ja_JP></v:phrase>
    <v:phrase id="sec_module"><v:en_US>Module</v:en_US><v:de_DE>Modul</v:de_DE><v:ja_JP>モジュール</v:ja_JP></v:phrase>
    <v:phrase id="sec_name"><v:en_US>Name</v:en_US><v:de_DE>Name</v:de_DE><v:ja_JP>名前</v:ja_JP></v:phrase>
    <v:phrase id="sec_parallelization"><v:en_US>Parallelization</v:en_US><v:de_DE>Parallelisierung</v:de_DE><v:ja_JP>並列化</v:ja_JP></v:phrase>
    <v:phrase id="sec_parameters"><v:en_US>Parameters</v:en_US><v:de_DE>Parameter</v:de_DE><v:ja_JP>パラメータ</v:ja_JP></v:phrase>
    <v:phrase id="sec_predecessors"><v:en_US>Possible predecessors</v:en_US><v:de_DE>Mögliche Vorgänger</v:de_DE><v:ja_JP>前に使用できるオペレータ</v:ja_JP></v:phrase>
    <v:phrase id="sec_references"><v:en_US>References</v:en_US><v:de_DE>Literatur</v:de_DE><v:ja_JP>参考文献</v:ja_JP></v:phrase>
    <v:phrase id="sec_result"><v:en_US>Result</v:en_US><v:de_DE>Ergebnis</v:de_DE><v:ja_JP>結果</v:ja_JP></v:phrase>
    <v:phrase id="sec_return_value"><v:en_US>Return value</v:en_US><v:de_DE>Rückgabewert</v:de_DE><v:ja_JP>戻り値</v:ja_JP></v:phrase>
    <v:phrase id="sec_see"><v:en_US>See also</v:en_US><v:de_DE>Siehe auch</v:de_DE><v:ja_JP>関連項目</v:ja_JP></v:phrase>
    <v:phrase id="sec_successors"><v:en_US>Possible successors</v:en_US><v:de_DE>Mögliche Nachfolger</v:de_DE><v:ja_JP>後に使用できるオペレータ</v:ja_JP></v:phrase>
    <v:phrase id="sec_summary"><v:en_US>Summary</v:en_US><v:de_DE>Kurzbeschreibung</v:de_DE><v:ja_JP>概要</v:ja_JP></v:phrase>
    <v:phrase id="sec_synopsis"><v:en_US>Signature</v:en_US><v:de_DE>Signatur</v:de_DE><v:ja_JP>シグネチャ</v:ja_JP></v:phrase>
    <v:phrase id="sec_warning"><v:en_US>Warning</v:en_US><v:de_DE>Warnung</v:de_DE><v:ja_JP>警告</v:ja_JP></v:phrase>
    <v:phrase id="term_class"><v:en_US>Class</v:en_US><v:de_DE>Klasse</v:de_DE><v:ja_JP>クラス</v:ja_JP></v:phrase>
    <v:phrase id="term_classes"><v:en_US>Classes</v:en_US><v:de_DE>Klassen</v:de_DE><v:ja_JP>クラス</v:ja_JP></v:phrase>
    <v:phrase id="term_legacy"><v:en_US>legacy</v:en_US><v:de_DE>veraltet</v:de_DE><v:ja_JP>レガシー</v:ja_JP></v:phrase>
    <v:phrase id="term_operator"><v:en_US>Operator</v:en_US><v:de_DE>Operator</v:de_DE><v:ja_JP>オペレータ</v:ja_JP></v:phrase>
    <v:phrase id="term_operators"><v:en_US>Operators</v:en_US><v:de_DE>Operatoren</v:de_DE><v:ja_JP>オペレータ</v:ja_JP></v:phrase>
    <v:phrase id="term_page_not_available"><v:en_US>This page is not available for the selected programming language.</v:en_US><v:de_DE>Diese Seite ist für die gewählte Programmiersprache nicht verfügbar.</v:de_DE><v:ja_JP>このページは選択されたプログラミング言語では利用できません。</v:ja_JP></v:phrase>
    <v:phrase id="term_procedure"><v:en_US>Procedure</v:en_US><v:de_DE>Prozedur</v:de_DE><v:ja_JP>プロシージャ</v:ja_JP></v:phrase>
    <v:phrase id="term_procedures"><v:en_US>Procedures</v:en_US><v:de_DE>Prozeduren</v:de_DE><v:ja_JP>プロシージャ</v:ja_JP></v:phrase>
    <v:phrase id="term_version"><v:en_US>Version</v:en_US><v:de_DE>Version</v:de_DE><v:ja_JP>バージョン</v:ja_JP></v:phrase>
    <v:phrase id="text_copyright"><v:en_US>Copyright</v:en_US><v:de_DE>Copyright</v:de_DE><v:ja_JP>Copyright</v:ja_JP></v:phrase>
    <v:phrase id="text_copyright_holder"><v:en_US>VORNIX Library Team, 1 Example Road, 00000 Sample City</v:en_US><v:de_DE>VORNIX Library Team, Beispielweg 1, 00000 Musterstadt</v:de_DE><v:ja_JP>VORNIX Library Team (1 Example Road, 00000 Sample City)</v:ja_JP></v:phrase>
    <v:phrase id="text_destructor_com"><v:en_US>The object is released when its last reference is released.</v:en_US><v:de_DE>Das Objekt wird freigegeben, wenn seine letzte Referenz freigegeben wird.</v:de_DE><v:ja_JP>最後の参照が解放されるとオブジェクトは解放されます。</v:ja_JP></v:phrase>
    <v:phrase id="text_destructor_cpp"><v:en_US>Releases the object and the resources it holds.</v:en_US><v:de_DE>Gibt das Objekt und die von ihm gehaltenen Ressourcen frei.</v:de_DE><v:ja_JP>オブジェクトとその保持するリソースを解放します。</v:ja_JP></v:phrase>
    <v:phrase id="text_finalizer_dotnet"><v:en_US>Releases the resources of the object when it is collected.</v:en_US><v:de_DE>Gibt die Ressourcen des Objekts frei, wenn es eingesammelt wird.</v:de_DE><v:ja_JP>オブジェクトが回収されるときにそのリソースを解放します。</v:ja_JP></v:phrase>
    <v:phrase id="text_module_dynamic"><v:en_US>Dynamic modules</v:en_US><v:de_DE>Dynamische Module</v:de_DE><v:ja_JP>動的モジュール</v:ja_JP></v:phrase>
    <v:phrase id="text_more_information"><v:en_US>More information</v:en_US><v:de_DE>Weitere Informationen</v:de_DE><v:ja_JP>詳細情報</v:ja_JP></v:phrase>
    <v:phrase id="text_toolkit"><v:en_US>Machine vision library</v:en_US><v:de_DE>Bildverarbeitungsbibliothek</v:de_DE><v:ja_JP>マシンビジョンライブラリ</v:ja_JP></v:phrase>
    <v:phrase id="text_trademark_amd"><v:en_US>AMD is a trademark of Advanced Micro Devices, Inc.</v:en_US><v:de_DE>AMD ist eine Marke von Advanced Micro Devices, Inc.</v:de_DE><v:ja_JP>AMD は Advanced Micro Devices, Inc. の商標です。</v:ja_JP></v:phrase>
    <v:phrase id="text_trademark_arm"><v:en_US>Arm is a registered trademark of Arm Limited.</v:en_US><v:de_DE>Arm ist eine eingetragene Marke von Arm Limited.</v:de_DE><v:ja_JP>Arm は Arm Limited の登録商標です。</v:ja_JP></v:phrase>
    <v:phrase id="text_trademark_intel"><v:en_US>Intel is a trademark of Intel Corporation.</v:en_US><v:de_DE>Intel ist eine Marke der Intel Corporation.</v:de_DE><v:ja_JP>Intel は Intel Corporation の商標です。</v:ja_JP></v:phrase>
    <v:phrase id="text_trademark_linux"><v:en_US>Linux is a trademark of Linus Torvalds.</v:en_US><v:de_DE>Linux ist eine Marke von Linus Torvalds.</v:de_DE><v:ja_JP>Linux は Linus Torvalds の商標です。</v:ja_JP></v:phrase>
    <v:phrase id="text_trademark_microsoft"><v:en_US>Microsoft, Windows and Visual Studio are trademarks of the Microsoft group of companies.</v:en_US><v:de_DE>Microsoft, Windows und Visual Studio sind Marken der Microsoft-Unternehmensgruppe.</v:de_DE><v:ja_JP>Microsoft、Windows、Visual Studio は Microsoft グループの商標です。</v:ja_JP></v:phrase>
    <v:phrase id="text_trademark_nvidia"><v:en_US>NVIDIA and CUDA are trademarks of NVIDIA Corporation.</v:en_US><v:de_DE>NVIDIA und CUDA sind Marken der NVIDIA Corporation.</v:de_DE><v:ja_JP>NVIDIA と CUDA は NVIDIA Corporation の商標です。</v:ja_JP></v:phrase>
    <v:phrase id="text_trademark_opencl"><v:en_US>OpenCL is a trademark of Apple Inc., used by permission.</v:en_US><v:de_DE>OpenCL ist eine Marke von Apple Inc., verwendet mit Genehmigung.</v:de_DE><v:ja_JP>OpenCL は Apple Inc. の商標であり、許可を得て使用しています。</v:ja_JP></v:phrase>
    <v:phrase id="text_trademark_opengl"><v:en_US>OpenGL is a trademark of Hewlett Packard Enterprise.</v:en_US><v:de_DE>OpenGL ist eine Marke von Hewlett Packard Enterprise.</v:de_DE><v:ja_JP>OpenGL は Hewlett Packard Enterprise の商標です。</v:ja_JP></v:phrase>
    <v:phrase id="text_trademark_openvino"><v:en_US>OpenVINO is a trademark of Intel Corporation.</v:en_US><v:de_DE>OpenVINO ist eine Marke der Intel Corporation.</v:de_DE><v:ja_JP>OpenVINO は Intel Corporation の商標です。</v:ja_JP></v:phrase>
    <v:phrase id="text_trademark_others"><v:en_US>All other trademarks are the property of their respective owners.</v:en_US><v:de_DE>Alle anderen Marken sind Eigentum ihrer jeweiligen Inhaber.</v:de_DE><v:ja_JP>その他の商標はすべて各所有者に帰属します。</v:ja_JP></v:phrase>
    <v:phrase id="title_chapter_prefix"><v:en_US>Chapter </v:en_US><v:de_DE>Kapitel </v:de_DE><v:ja_JP>第</v:ja_JP></v:phrase>
    <v:phrase id="title_chapter_suffix"><v:en_US></v:en_US><v:de_DE></v:de_DE><v:ja_JP>章</v:ja_JP></v:phrase>
    <v:phrase id="title_classindex"><v:en_US>Class index</v:en_US><v:de_DE>Klassenindex</v:de_DE><v:ja_JP>クラス索引</v:ja_JP></v:phrase>
    <v:phrase id="title_manual"><v:en_US>Reference Manual</v:en_US><v:de_DE>Referenzhandbuch</v:de_DE><v:ja_JP>リファレンスマニュアル</v:ja_JP></v:phrase>
    <v:phrase id="title_operatorindex"><v:en_US>Operator index</v:en_US><v:de_DE>Operatorindex</v:de_DE><v:ja_JP>オペレータ索引</v:ja_JP></v:phrase>
    <v:phrase id="title_operatorlist"><v:en_US>List of operators</v:en_US><v:de_DE>Liste der Operatoren</v:de_DE><v:ja_JP>オペレータ一覧</v:ja_JP></v:phrase>
    <v:phrase id="title_procedureindex"><v:en_US>Procedure index</v:en_US><v:de_DE>Prozedurindex</v:de_DE><v:ja_JP>プロシージャ索引</v:ja_JP></v:phrase>
    <v:phrase id="title_sectionlist"><v:en_US>List of sections</v:en_US><v:de_DE>Liste der Abschnitte</v:de_DE><v:ja_JP>セクション一覧</v:ja_JP></v:phrase>
    <v:phrase id="title_toc"><v:en_US>Contents</v:en_US><v:de_DE>Inhaltsverzeichnis</v:de_DE><v:ja_JP>目次</v:ja_JP></v:phrase>
  </v:phrases>

  <!-- ================================================================
       Common block (the same in every stylesheet of the manual):
       language, interface, file names, output directory, phrase table
       and helper templates.
       ================================================================ -->
  <xsl:param name="current_syntax" select="''"/>
  <xsl:variable name="doc_element" select="/*/document[1]"/>
  <xsl:variable name="raw_language" select="string($doc_element/@language)"/>
  <!-- The values below are kept as strings (not as result tree fragments),
       which every comparison would convert again. -->
  <xsl:variable name="language_choice">
    <xsl:choose>
      <xsl:when test="$raw_language = 'de' or $raw_language = 'de_DE'">de_DE</xsl:when>
      <xsl:when test="$raw_language = 'ja' or $raw_language = 'ja_JP'">ja_JP</xsl:when>
      <xsl:otherwise>en_US</xsl:otherwise>
    </xsl:choose>
  </xsl:variable>
  <xsl:variable name="language" select="string($language_choice)"/>
  <xsl:variable name="language_rfc3066" select="translate($language, '_', '-')"/>
  <xsl:variable name="babel_language_choice">
    <xsl:choose>
      <xsl:when test="$language = 'de_DE'">german</xsl:when>
      <xsl:when test="$language = 'ja_JP'">japanese</xsl:when>
      <xsl:otherwise>american</xsl:otherwise>
    </xsl:choose>
  </xsl:variable>
  <xsl:variable name="babel_language" select="string($babel_language_choice)"/>
  <xsl:variable name="interface_choice">
    <xsl:choose>
      <xsl:when test="string($doc_element/@interface) != ''"><xsl:value-of select="$doc_element/@interface"/></xsl:when>
      <xsl:when test="$current_syntax != ''"><xsl:value-of select="$current_syntax"/></xsl:when>
      <xsl:otherwise>vdevelop</xsl:otherwise>
    </xsl:choose>
  </xsl:variable>
  <xsl:variable name="interface" select="string($interface_choice)"/>
  <v:interfaces>
    <v:interface id="vdevelop" title="VDevelop" classes="no"/>
    <v:interface id="c" title="C" classes="no"/>
    <v:interface id="cpp" title="C++" classes="yes"/>
    <v:interface id="python" title="Python" classes="no"/>
    <v:interface id="dotnet" title=".NET" classes="yes"/>
  </v:interfaces>
  <!-- the stylesheet itself, which holds the phrase table and the interface list -->
  <xsl:variable name="stylesheet_document" select="document('')"/>
  <xsl:variable name="interface_entry" select="$stylesheet_document/*/v:interfaces/v:interface[@id = $interface]"/>
  <xsl:variable name="interface_title_choice">
    <xsl:choose>
      <xsl:when test="$interface_entry"><xsl:value-of select="$interface_entry/@title"/></xsl:when>
      <xsl:otherwise><xsl:value-of select="$interface"/></xsl:otherwise>
    </xsl:choose>
  </xsl:variable>
  <xsl:variable name="interface_title" select="string($interface_title_choice)"/>
  <xsl:variable name="interface_has_classes" select="$interface_entry/@classes = 'yes'"/>
  <xsl:variable name="file_prefix_choice">
    <xsl:if test="$doc_element/@proc = 'yes'">proc_</xsl:if>
  </xsl:variable>
  <xsl:variable name="file_prefix" select="string($file_prefix_choice)"/>
  <xsl:variable name="output_dir_choice">
    <xsl:variable name="path" select="string($doc_element/@output_path)"/>
    <xsl:value-of select="$path"/>
    <xsl:if test="$path != '' and substring($path, string-length($path)) != '/'">/</xsl:if>
  </xsl:variable>
  <xsl:variable name="output_dir" select="string($output_dir_choice)"/>
  <!-- the extension of the pages, which every link uses -->
  <xsl:param name="page_extension" select="'html'"/>
  <xsl:variable name="page_suffix" select="concat('.', $page_extension)"/>
  <xsl:variable name="file_index" select="concat($file_prefix, 'index', $page_suffix)"/>
  <xsl:variable name="file_index_by_name" select="concat($file_prefix, 'index_by_name', $page_suffix)"/>
  <xsl:variable name="file_index_classes" select="concat($file_prefix, 'index_classes', $page_suffix)"/>
  <xsl:variable name="file_legal_notes" select="concat($file_prefix, 'legal_notes', $page_suffix)"/>

  <!-- The text of a phrase in the document's language (English when a
       translation is missing). The program that carries the stylesheets
       looks it up natively (v:phrase, from the same table); elsewhere the
       key does. -->
  <xsl:key name="phrase_by_id" match="v:phrase" use="@id"/>
  <xsl:template name="phrase">
    <xsl:param name="id"/>
    <xsl:choose>
      <xsl:when test="function-available('v:phrase')"><xsl:value-of select="v:phrase($id, $language)"/></xsl:when>
      <xsl:otherwise>
        <!-- the key looks in the document of the context node -->
        <xsl:for-each select="$stylesheet_document">
          <xsl:variable name="entry" select="key('phrase_by_id', $id)"/>
          <xsl:choose>
            <xsl:when test="$entry/*[local-name() = $language]"><xsl:value-of select="$entry/*[local-name() = $language]"/></xsl:when>
            <xsl:otherwise><xsl:value-of select="$entry/v:en_US"/></xsl:otherwise>
          </xsl:choose>
        </xsl:for-each>
      </xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- text with every occurrence of from replaced by to -->
  <xsl:template name="replace_substring">
    <xsl:param name="text"/>
    <xsl:param name="from"/>
    <xsl:param name="to"/>
    <xsl:choose>
      <xsl:when test="$from != '' and contains($text, $from)">
        <xsl:value-of select="substring-before($text, $from)"/>
        <xsl:value-of select="$to"/>
        <xsl:call-template name="replace_substring">
          <xsl:with-param name="text" select="substring-after($text, $from)"/>
          <xsl:with-param name="from" select="$from"/>
          <xsl:with-param name="to" select="$to"/>
        </xsl:call-template>
      </xsl:when>
      <xsl:otherwise><xsl:value-of select="$text"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- Plain text for LaTeX: the special characters as commands. The program
       that carries the stylesheets does it natively (v:latex_escape, the
       same mapping); elsewhere the template below does it. -->
  <xsl:template name="latex_escape">
    <xsl:param name="text"/>
    <xsl:choose>
      <xsl:when test="function-available('v:latex_escape')"><xsl:value-of select="v:latex_escape(string($text))"/></xsl:when>
      <xsl:otherwise>
        <xsl:call-template name="latex_escape_halves"><xsl:with-param name="text" select="$text"/></xsl:call-template>
      </xsl:otherwise>
    </xsl:choose>
  </xsl:template>
  <!-- The text is halved until single characters remain, so long texts stay
       within the processor's recursion depth. -->
  <xsl:template name="latex_escape_halves">
    <xsl:param name="text"/>
    <xsl:variable name="length" select="string-length($text)"/>
    <xsl:choose>
      <xsl:when test="$length = 0"/>
      <xsl:when test="$length = 1">
        <xsl:choose>
          <xsl:when test="$text = '\'">\textbackslash{}</xsl:when>
          <xsl:when test="$text = '{'">\{</xsl:when>
          <xsl:when test="$text = '}'">\}</xsl:when>
          <xsl:when test="$text = '$'">\$</xsl:when>
          <xsl:when test="$text = '&amp;'">\&amp;</xsl:when>
          <xsl:when test="$text = '#'">\#</xsl:when>
          <xsl:when test="$text = '%'">\%</xsl:when>
          <xsl:when test="$text = '_'">\_</xsl:when>
          <xsl:when test="$text = '^'">\textasciicircum{}</xsl:when>
          <xsl:when test="$text = '~'">\textasciitilde{}</xsl:when>
          <xsl:when test="$text = '&lt;'">\textless{}</xsl:when>
          <xsl:when test="$text = '&gt;'">\textgreater{}</xsl:when>
          <xsl:when test="$text = '|'">\textbar{}</xsl:when>
          <xsl:when test="$text = '&#160;'">~</xsl:when>
          <xsl:otherwise><xsl:value-of select="$text"/></xsl:otherwise>
        </xsl:choose>
      </xsl:when>
      <xsl:when test="not(contains(translate($text, '\{}$&amp;#%_^~&lt;&gt;|&#160;', '**************'), '*'))">
        <xsl:value-of select="$text"/>
      </xsl:when>
      <xsl:otherwise>
        <xsl:variable name="half" select="floor($length div 2)"/>
        <xsl:call-template name="latex_escape_halves">
          <xsl:with-param name="text" select="substring($text, 1, $half)"/>
        </xsl:call-template>
        <xsl:call-template name="latex_escape_halves">
          <xsl:with-param name="text" select="substring($text, $half + 1)"/>
        </xsl:call-template>
      </xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- A name for LaTeX (escaped as latex_escape does) that a line may
       break inside: before a capital that follows a small letter or a digit,
       as in CamelCase names (and after an underscore, which the main
       document allows). The program that carries the stylesheets does it
       natively (v:latex_name, the same text); elsewhere the template walks
       the name character by character. -->
  <xsl:template name="latex_name">
    <xsl:param name="text"/>
    <xsl:choose>
      <xsl:when test="function-available('v:latex_name')"><xsl:value-of select="v:latex_name(string($text))"/></xsl:when>
      <xsl:otherwise>
        <xsl:call-template name="latex_escape"><xsl:with-param name="text" select="substring($text, 1, 1)"/></xsl:call-template>
        <xsl:if test="string-length($text) &gt; 1">
          <xsl:if test="contains('abcdefghijklmnopqrstuvwxyz0123456789', substring($text, 1, 1)) and contains('ABCDEFGHIJKLMNOPQRSTUVWXYZ', substring($text, 2, 1))">\allowbreak{}</xsl:if>
          <xsl:call-template name="latex_name"><xsl:with-param name="text" select="substring($text, 2)"/></xsl:call-template>
        </xsl:if>
      </xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- The spelling of a name in the chosen interface: the syntax child of
       that interface, else the VDevelop one, else the first, else the text
       itself (the older layout keeps only the text). The program that
       carries the stylesheets chooses natively (v:syntax_text, the same
       choice); elsewhere the tests below do. -->
  <xsl:template name="syntax_text">
    <xsl:param name="node" select="."/>
    <xsl:param name="for" select="$interface"/>
    <xsl:choose>
      <xsl:when test="function-available('v:syntax_text')"><xsl:value-of select="v:syntax_text($node, $for)"/></xsl:when>
      <xsl:when test="$node/syntax[@interface = $for]"><xsl:value-of select="$node/syntax[@interface = $for][1]"/></xsl:when>
      <xsl:when test="$node/syntax[@interface = 'vdevelop']"><xsl:value-of select="$node/syntax[@interface = 'vdevelop'][1]"/></xsl:when>
      <xsl:when test="$node/syntax"><xsl:value-of select="$node/syntax[1]"/></xsl:when>
      <xsl:otherwise><xsl:value-of select="normalize-space($node)"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- The target of a link from a documentation text when it is relative
       or an http, https or mailto address; empty for anything else (a
       script, a local file, any other scheme, a host without a scheme), so
       that such a link is written as plain text. Blanks and line ends, which
       a browser drops from a target, do not hide a scheme. -->
  <xsl:template name="safe_link_target">
    <xsl:param name="url"/>
    <xsl:variable name="bare" select="translate($url, ' &#9;&#10;&#13;', '')"/>
    <xsl:variable name="scheme" select="translate(substring-before($bare, ':'), 'ABCDEFGHIJKLMNOPQRSTUVWXYZ', 'abcdefghijklmnopqrstuvwxyz')"/>
    <xsl:choose>
      <xsl:when test="$bare = '' or starts-with(translate($bare, '\', '/'), '//')"/>
      <xsl:when test="contains($bare, ':') and not(contains($scheme, '/') or contains($scheme, '?') or contains($scheme, '#'))">
        <xsl:if test="$scheme = 'http' or $scheme = 'https' or $scheme = 'mailto'"><xsl:value-of select="$url"/></xsl:if>
      </xsl:when>
      <xsl:otherwise><xsl:value-of select="$url"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- The page of a chapter: its identifier path joined by underscores. -->
  <xsl:template name="chapter_file">
    <xsl:param name="ids"/>
    <xsl:value-of select="concat($file_prefix, 'toc_', translate($ids, ' /', '__'), $page_suffix)"/>
  </xsl:template>

  <!-- Class names of the class list, for links from signatures and types.
       The program that carries the stylesheets looks them up natively
       (v:class_listed, in the same document); elsewhere the key does. -->
  <xsl:key name="class_by_id" match="class" use="@id"/>
  <xsl:template name="class_link">
    <xsl:param name="id"/>
    <xsl:param name="text" select="$id"/>
    <xsl:param name="class_list" select="/.."/>
    <xsl:variable name="id_text" select="string($id)"/>
    <xsl:choose>
      <xsl:when test="$class_list and function-available('v:class_listed')">
        <xsl:choose>
          <xsl:when test="v:class_listed($class_list, $id_text)">
            <a href="{concat($id_text, $page_suffix)}" class="class"><xsl:value-of select="$text"/></a>
          </xsl:when>
          <xsl:otherwise><xsl:value-of select="$text"/></xsl:otherwise>
        </xsl:choose>
      </xsl:when>
      <xsl:when test="$class_list">
        <!-- the key looks in the document of the context node -->
        <xsl:for-each select="$class_list[1]">
          <xsl:choose>
            <xsl:when test="key('class_by_id', $id_text)">
              <a href="{concat($id_text, $page_suffix)}" class="class"><xsl:value-of select="$text"/></a>
            </xsl:when>
            <xsl:otherwise><xsl:value-of select="$text"/></xsl:otherwise>
          </xsl:choose>
        </xsl:for-each>
      </xsl:when>
      <xsl:otherwise><xsl:value-of select="$text"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- The phrase of a list heading element of the markup. -->
  <xsl:template name="list_heading_phrase">
    <xsl:choose>
      <xsl:when test="local-name() = 'list_param_attention'">param_attention</xsl:when>
      <xsl:when test="local-name() = 'list_param_restriction'">param_restriction</xsl:when>
      <xsl:when test="local-name() = 'list_default_value'">param_default</xsl:when>
      <xsl:when test="local-name() = 'list_value_list'">param_value_list</xsl:when>
      <xsl:when test="local-name() = 'list_value_range'">param_value_range</xsl:when>
      <xsl:otherwise>param_value_suggestions</xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- Names of trademarks and result states as printed. -->
  <xsl:template name="trademark_text">
    <xsl:choose>
      <xsl:when test="@id = 'vornix'">VORNIX</xsl:when>
      <xsl:otherwise><xsl:value-of select="@id"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
  <xsl:template name="resultstate_text">
    <xsl:value-of select="translate(@id, 'abcdefghijklmnopqrstuvwxyz', 'ABCDEFGHIJKLMNOPQRSTUVWXYZ')"/>
  </xsl:template>
  <!-- ================= end of the common block ================= -->
</xsl:stylesheet>
