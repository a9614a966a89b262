<?xml version="1.0" encoding="UTF-8"?>
<!-- si_operator_html.xsl: one operator page (HTML)
     Part of the reference manual of the operator compiler vornc; carried
     inside the program and extracted into the working directory when used. -->
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:v="urn:vornc:manual"
    exclude-result-prefixes="v"
    extension-element-prefixes="v">
  <xsl:output method="html" encoding="UTF-8" doctype-system="about:legacy-compat" indent="no"/>
  <!-- One page of the reference manual for one operator. -->
  <xsl:variable name="class_list" select="document('class_list.xml')/classes"/>
  <xsl:variable name="operator" select="/operator"/>

  <xsl:template match="/">
    <xsl:apply-templates select="operator"/>
  </xsl:template>

  <xsl:template match="operator">
    <html lang="{$language_rfc3066}">
      <xsl:call-template name="page_head"><xsl:with-param name="title" select="@id"/></xsl:call-template>
      <body>
        <xsl:call-template name="navigation_bar"/>
        <xsl:call-template name="chapter_path"/>
        <h1 id="name"><xsl:value-of select="@id"/></h1>
        <xsl:call-template name="section_name"/>
        <xsl:call-template name="section_text"><xsl:with-param name="node" select="warning"/><xsl:with-param name="phrase_id" select="'sec_warning'"/></xsl:call-template>
        <xsl:call-template name="section_synopsis"/>
        <xsl:call-template name="section_text"><xsl:with-param name="node" select="description"/><xsl:with-param name="phrase_id" select="'sec_description'"/></xsl:call-template>
        <xsl:call-template name="section_text"><xsl:with-param name="node" select="attention"/><xsl:with-param name="phrase_id" select="'sec_attention'"/></xsl:call-template>
        <xsl:apply-templates select="parameters"/>
        <xsl:call-template name="section_examples"/>
        <xsl:call-template name="section_text"><xsl:with-param name="node" select="complexity"/><xsl:with-param name="phrase_id" select="'sec_complexity'"/></xsl:call-template>
        <xsl:call-template name="section_text"><xsl:with-param name="node" select="result"/><xsl:with-param name="phrase_id" select="'sec_result'"/></xsl:call-template>
        <xsl:call-template name="section_execution"/>
        <xsl:call-template name="section_references"><xsl:with-param name="node" select="predecessors"/><xsl:with-param name="phrase_id" select="'sec_predecessors'"/></xsl:call-template>
        <xsl:call-template name="section_references"><xsl:with-param name="node" select="successors"/><xsl:with-param name="phrase_id" select="'sec_successors'"/></xsl:call-template>
        <xsl:call-template name="section_references"><xsl:with-param name="node" select="alternatives"/><xsl:with-param name="phrase_id" select="'sec_alternatives'"/></xsl:call-template>
        <xsl:call-template name="section_references"><xsl:with-param name="node" select="see"/><xsl:with-param name="phrase_id" select="'sec_see'"/></xsl:call-template>
        <xsl:call-template name="section_text"><xsl:with-param name="node" select="references[normalize-space(.) != '']"/><xsl:with-param name="phrase_id" select="'sec_references'"/></xsl:call-template>
        <xsl:apply-templates select="module"/>
        <xsl:call-template name="page_footer"/>
      </body>
    </html>
  </xsl:template>

  <!-- The chapter path as links to the chapter pages. The chapter
       OldVersion has no pages (its operators stay out of the chapter tree):
       its path is plain text. -->
  <xsl:template name="chapter_path">
    <xsl:variable name="paged" select="not(chapter[@level = 1]/@id = 'oldversion')"/>
    <xsl:if test="chapter">
      <div class="chapters">
        <xsl:for-each select="chapter">
          <xsl:sort select="@level" data-type="number"/>
          <xsl:variable name="level" select="@level"/>
          <xsl:variable name="ids">
            <xsl:for-each select="../chapter[@level &lt;= $level]">
              <xsl:sort select="@level" data-type="number"/>
              <xsl:if test="position() &gt; 1">_</xsl:if>
              <xsl:value-of select="@id"/>
            </xsl:for-each>
          </xsl:variable>
          <xsl:if test="position() &gt; 1"> / </xsl:if>
          <xsl:choose>
            <xsl:when test="$paged"><a href="{concat($file_prefix, 'toc_', $ids, $page_suffix)}"><xsl:value-of select="@name"/></a></xsl:when>
            <xsl:otherwise><xsl:value-of select="@name"/></xsl:otherwise>
          </xsl:choose>
        </xsl:for-each>
      </div>
    </xsl:if>
  </xsl:template>

  <xsl:template name="section_name">
    <h2><xsl:call-template name="phrase"><xsl:with-param name="id" select="'sec_name'"/></xsl:call-template></h2>
    <p class="name">
      <code><xsl:value-of select="@id"/></code>
      <xsl:if test="summary">
        <xsl:text> &#8212; </xsl:text>
        <xsl:apply-templates select="summary/node()"/>
      </xsl:if>
    </p>
    <xsl:if test="@creates_handle_type = 'true'">
      <p class="note"><xsl:call-template name="phrase"><xsl:with-param name="id" select="'creates_handle_state_modified'"/></xsl:call-template></p>
    </xsl:if>
    <xsl:variable name="modified" select="parameters/parameter[@modified and @modified != 'false']"/>
    <xsl:if test="$modified">
      <p class="note">
        <xsl:call-template name="phrase">
          <xsl:with-param name="id" select="concat(substring('has_parameter_', 1, 14 * (count($modified) = 1)), substring('has_parameters_', 1, 15 * (count($modified) != 1)), 'state_modified_start')"/>
        </xsl:call-template>
        <xsl:for-each select="$modified">
          <xsl:if test="position() &gt; 1">, </xsl:if>
          <code><xsl:call-template name="syntax_text"><xsl:with-param name="node" select="name"/></xsl:call-template></code>
        </xsl:for-each>
        <xsl:call-template name="phrase">
          <xsl:with-param name="id" select="concat(substring('has_parameter_', 1, 14 * (count($modified) = 1)), substring('has_parameters_', 1, 15 * (count($modified) != 1)), 'state_modified_end')"/>
        </xsl:call-template>
      </p>
    </xsl:if>
  </xsl:template>

  <!-- A section with a converted text: summary-like texts hold inline
       markup, paragraph texts hold p elements. -->
  <xsl:template name="section_text">
    <xsl:param name="node"/>
    <xsl:param name="phrase_id"/>
    <xsl:if test="$node">
      <h2><xsl:call-template name="phrase"><xsl:with-param name="id" select="$phrase_id"/></xsl:call-template></h2>
      <xsl:for-each select="$node">
        <xsl:choose>
          <xsl:when test="p"><div class="text"><xsl:apply-templates/></div></xsl:when>
          <xsl:otherwise><div class="text"><p><xsl:apply-templates/></p></div></xsl:otherwise>
        </xsl:choose>
      </xsl:for-each>
    </xsl:if>
  </xsl:template>

  <!-- Signatures of every interface the operator has: an operator
       implemented inside the development environment names its one
       interface in its interface attribute. The program that carries the
       stylesheets writes the section natively (v:synopsis, the same nodes);
       elsewhere the fallback below writes it. -->
  <xsl:template name="section_synopsis">
    <v:synopsis language="{$language}" page_suffix="{$page_suffix}">
      <xsl:fallback>
        <xsl:variable name="interfaces" select="signatures[signature][not(/operator/@interface) or /operator/@interface = 'all' or @interface = /operator/@interface]"/>
        <xsl:if test="$interfaces">
          <h2><xsl:call-template name="phrase"><xsl:with-param name="id" select="'sec_synopsis'"/></xsl:call-template></h2>
          <xsl:for-each select="$interfaces">
            <xsl:variable name="id" select="@interface"/>
            <h3 class="interface">
              <xsl:choose>
                <xsl:when test="$stylesheet_document/*/v:interfaces/v:interface[@id = $id]"><xsl:value-of select="$stylesheet_document/*/v:interfaces/v:interface[@id = $id]/@title"/></xsl:when>
                <xsl:when test="$id = 'com'">COM</xsl:when>
                <xsl:otherwise><xsl:value-of select="$id"/></xsl:otherwise>
              </xsl:choose>
            </h3>
            <xsl:apply-templates select="signature" mode="signature"/>
          </xsl:for-each>
        </xsl:if>
      </xsl:fallback>
    </v:synopsis>
  </xsl:template>

  <xsl:template match="signature" mode="signature">
    <xsl:variable name="interface_id" select="../@interface"/>
    <div class="signature">
      <xsl:choose>
        <xsl:when test="$interface_id = 'vdevelop'">
          <b><xsl:value-of select="@name"/></b>
          <xsl:text>( </xsl:text>
          <xsl:call-template name="vdevelop_group"><xsl:with-param name="list" select="parameters/parameter[@type = 'iconic' and @mode = 'input']"/></xsl:call-template>
          <xsl:text> : </xsl:text>
          <xsl:call-template name="vdevelop_group"><xsl:with-param name="list" select="parameters/parameter[@type = 'iconic' and @mode = 'output']"/></xsl:call-template>
          <xsl:text> : </xsl:text>
          <xsl:call-template name="vdevelop_group"><xsl:with-param name="list" select="parameters/parameter[@type = 'control' and @mode = 'input']"/></xsl:call-template>
          <xsl:text> : </xsl:text>
          <xsl:call-template name="vdevelop_group"><xsl:with-param name="list" select="parameters/parameter[@type = 'control' and @mode = 'output']"/></xsl:call-template>
          <xsl:text> )</xsl:text>
        </xsl:when>
        <xsl:when test="$interface_id = 'python'">
          <xsl:text>def </xsl:text><b><xsl:value-of select="@name"/></b><xsl:text>(</xsl:text>
          <xsl:for-each select="parameters/parameter[@mode = 'input']">
            <xsl:if test="position() &gt; 1">, </xsl:if>
            <i><xsl:value-of select="@name"/></i>: <xsl:value-of select="@type"/>
          </xsl:for-each>
          <xsl:text>)</xsl:text>
          <xsl:if test="returns or parameters/parameter[@mode = 'output']">
            <xsl:text> -&gt; </xsl:text>
            <xsl:choose>
              <xsl:when test="returns"><xsl:value-of select="returns/@type"/></xsl:when>
              <xsl:when test="count(parameters/parameter[@mode = 'output']) = 1"><xsl:value-of select="parameters/parameter[@mode = 'output']/@type"/></xsl:when>
              <xsl:otherwise>
                <xsl:text>Tuple[</xsl:text>
                <xsl:for-each select="parameters/parameter[@mode = 'output']">
                  <xsl:if test="position() &gt; 1">, </xsl:if>
                  <xsl:value-of select="@type"/>
                </xsl:for-each>
                <xsl:text>]</xsl:text>
              </xsl:otherwise>
            </xsl:choose>
          </xsl:if>
        </xsl:when>
        <xsl:otherwise>
          <xsl:if test="@static = 'true'">static </xsl:if>
          <xsl:choose>
            <xsl:when test="returns">
              <xsl:call-template name="class_link"><xsl:with-param name="id" select="returns/@type"/><xsl:with-param name="class_list" select="$class_list"/></xsl:call-template>
              <xsl:text> </xsl:text>
            </xsl:when>
            <xsl:when test="@type = 'method'">void </xsl:when>
          </xsl:choose>
          <xsl:if test="@class_name">
            <xsl:call-template name="class_link">
              <xsl:with-param name="id" select="@class_id"/>
              <xsl:with-param name="text" select="@class_name"/>
              <xsl:with-param name="class_list" select="$class_list"/>
            </xsl:call-template>
            <xsl:choose><xsl:when test="$interface_id = 'cpp'">::</xsl:when><xsl:otherwise>.</xsl:otherwise></xsl:choose>
          </xsl:if>
          <b><xsl:value-of select="@name"/></b>
          <xsl:text>(</xsl:text>
          <xsl:for-each select="parameters/parameter">
            <xsl:if test="position() &gt; 1">, </xsl:if>
            <xsl:if test="@mode = 'output' and $interface_id = 'dotnet'">out </xsl:if>
            <xsl:call-template name="class_link"><xsl:with-param name="id" select="@type"/><xsl:with-param name="class_list" select="$class_list"/></xsl:call-template>
            <xsl:if test="@mode = 'output' and (($interface_id = 'c' and substring(@type, string-length(@type)) != '*') or $interface_id = 'cpp' or $interface_id = 'com')">*</xsl:if>
            <xsl:text> </xsl:text>
            <i><xsl:value-of select="@name"/></i>
          </xsl:for-each>
          <xsl:text>)</xsl:text>
          <xsl:if test="@const = 'true'"> const</xsl:if>
          <xsl:if test="@winonly = 'true'">
            <span class="note"> (<xsl:call-template name="phrase"><xsl:with-param name="id" select="'note_windows_only'"/></xsl:call-template>)</span>
          </xsl:if>
        </xsl:otherwise>
      </xsl:choose>
    </div>
  </xsl:template>
  <xsl:template name="vdevelop_group">
    <xsl:param name="list"/>
    <xsl:for-each select="$list">
      <xsl:if test="position() &gt; 1">, </xsl:if>
      <i><xsl:value-of select="@name"/></i>
    </xsl:for-each>
  </xsl:template>

  <!-- Parameters -->
  <xsl:template match="parameters">
    <h2><xsl:call-template name="phrase"><xsl:with-param name="id" select="'sec_parameters'"/></xsl:call-template></h2>
    <dl class="parameters"><xsl:apply-templates select="parameter" mode="parameter"/></dl>
  </xsl:template>

  <xsl:template match="parameter" mode="parameter">
    <!-- the program writes the term natively (v:parameter_term, the same
         nodes); elsewhere the fallback writes it -->
    <v:parameter_term for="{$interface}">
      <xsl:fallback>
        <xsl:variable name="name"><xsl:call-template name="syntax_text"><xsl:with-param name="node" select="name"/></xsl:call-template></xsl:variable>
        <dt id="{concat('parameter_', @id)}">
          <code><b><xsl:value-of select="$name"/></b></code>
          <xsl:text> (</xsl:text><xsl:value-of select="@mode"/><xsl:text>) </xsl:text>
          <xsl:if test="@semtype != ''"><span class="semtype"><xsl:value-of select="@semtype"/></span></xsl:if>
          <xsl:if test="type | subtype">
            <xsl:text> &#8594; </xsl:text>
            <xsl:for-each select="subtype">
              <xsl:if test="position() &gt; 1"> / </xsl:if>
              <xsl:choose>
                <xsl:when test="@name"><xsl:value-of select="@name"/></xsl:when>
                <xsl:otherwise><xsl:call-template name="syntax_text"/></xsl:otherwise>
              </xsl:choose>
            </xsl:for-each>
            <xsl:if test="not(subtype)">
              <xsl:value-of select="type[1]/@id"/>
            </xsl:if>
          </xsl:if>
        </dt>
      </xsl:fallback>
    </v:parameter_term>
    <dd>
      <xsl:if test="summary"><p><xsl:apply-templates select="summary/node()"/></p></xsl:if>
      <xsl:if test="@modified and @modified != 'false'">
        <p class="note"><xsl:call-template name="phrase"><xsl:with-param name="id" select="'parameter_state_modified'"/></xsl:call-template></p>
      </xsl:if>
      <xsl:if test="default | value_list | value_suggestions | value_range | step_min | step_rec | value_number | restriction | assertion | fileext | cd_values | cd_types">
        <table class="params">
          <xsl:apply-templates select="default" mode="row"><xsl:with-param name="phrase_id" select="'param_default'"/></xsl:apply-templates>
          <xsl:apply-templates select="value_list" mode="row"><xsl:with-param name="phrase_id" select="'param_value_list'"/></xsl:apply-templates>
          <xsl:apply-templates select="value_suggestions" mode="row"><xsl:with-param name="phrase_id" select="'param_value_suggestions'"/></xsl:apply-templates>
          <xsl:apply-templates select="value_range" mode="row"><xsl:with-param name="phrase_id" select="'param_value_range'"/></xsl:apply-templates>
          <xsl:apply-templates select="step_min" mode="row"><xsl:with-param name="phrase_id" select="'param_value_step_min'"/></xsl:apply-templates>
          <xsl:apply-templates select="step_rec" mode="row"><xsl:with-param name="phrase_id" select="'param_value_step_rec'"/></xsl:apply-templates>
          <xsl:apply-templates select="value_number" mode="row"><xsl:with-param name="phrase_id" select="'param_value_number'"/></xsl:apply-templates>
          <xsl:apply-templates select="restriction" mode="row"><xsl:with-param name="phrase_id" select="'param_restriction'"/></xsl:apply-templates>
          <xsl:apply-templates select="assertion" mode="row"><xsl:with-param name="phrase_id" select="'param_assertion'"/></xsl:apply-templates>
          <xsl:if test="fileext">
            <tr><td><xsl:call-template name="phrase"><xsl:with-param name="id" select="'param_file_extension'"/></xsl:call-template></td>
              <td><xsl:for-each select="fileext"><xsl:if test="position() &gt; 1">, </xsl:if><code><xsl:value-of select="@ext"/></code></xsl:for-each></td></tr>
          </xsl:if>
          <xsl:apply-templates select="cd_values" mode="row"><xsl:with-param name="phrase_id" select="'param_cd_values'"/></xsl:apply-templates>
          <xsl:apply-templates select="cd_types" mode="row"><xsl:with-param name="phrase_id" select="'param_cd_types'"/></xsl:apply-templates>
        </table>
      </xsl:if>
    </dd>
  </xsl:template>

  <xsl:template match="*" mode="row">
    <xsl:param name="phrase_id"/>
    <tr>
      <td><xsl:call-template name="phrase"><xsl:with-param name="id" select="$phrase_id"/></xsl:call-template></td>
      <td>
        <xsl:choose>
          <xsl:when test="self::value_range">
            <xsl:if test="min"><code><xsl:value-of select="min"/></code> &#8804; </xsl:if>
            <i><xsl:call-template name="syntax_text"><xsl:with-param name="node" select="../name"/></xsl:call-template></i>
            <xsl:if test="max"> &#8804; <code><xsl:value-of select="max"/></code></xsl:if>
            <xsl:if test="function"> (<xsl:value-of select="function"/>)</xsl:if>
          </xsl:when>
          <xsl:when test="value">
            <xsl:for-each select="value"><xsl:if test="position() &gt; 1">, </xsl:if><code><xsl:apply-templates/></code></xsl:for-each>
          </xsl:when>
          <xsl:when test="type">
            <xsl:for-each select="type"><xsl:if test="position() &gt; 1">, </xsl:if><code><xsl:value-of select="@id"/></code></xsl:for-each>
          </xsl:when>
          <xsl:otherwise><code><xsl:apply-templates/></code></xsl:otherwise>
        </xsl:choose>
      </td>
    </tr>
  </xsl:template>

  <!-- Examples: the top-level ones, else those grouped by interface. -->
  <xsl:template name="section_examples">
    <xsl:variable name="examples" select="example | syntax/example[not(../../example)]"/>
    <xsl:if test="$examples">
      <h2><xsl:call-template name="phrase"><xsl:with-param name="id" select="'sec_example'"/></xsl:call-template></h2>
      <xsl:for-each select="$examples">
        <h3 class="example"><xsl:value-of select="@syntax"/></h3>
        <pre class="example"><xsl:value-of select="."/></pre>
      </xsl:for-each>
    </xsl:if>
  </xsl:template>

  <!-- Parallelization and interruption -->
  <xsl:template name="section_execution">
    <xsl:if test="parallelization | interrupt_mode">
      <h2><xsl:call-template name="phrase"><xsl:with-param name="id" select="'sec_execution'"/></xsl:call-template></h2>
      <ul class="execution">
        <xsl:for-each select="parallelization/compute_devices/compute_device">
          <li>
            <xsl:choose>
              <xsl:when test="@id = 'opencl' or @id = 'object'">
                <xsl:call-template name="phrase"><xsl:with-param name="id" select="concat('parallel_compute_device_', @id)"/></xsl:call-template>
              </xsl:when>
              <xsl:otherwise><xsl:value-of select="@id"/></xsl:otherwise>
            </xsl:choose>
          </li>
        </xsl:for-each>
        <xsl:for-each select="parallelization/synchronization">
          <li>
            <xsl:call-template name="phrase"><xsl:with-param name="id" select="'parallel_sync_type'"/></xsl:call-template>
            <xsl:text>: </xsl:text>
            <xsl:call-template name="phrase"><xsl:with-param name="id" select="concat('parallel_sync_type_', @type)"/></xsl:call-template>
          </li>
          <li>
            <xsl:call-template name="phrase"><xsl:with-param name="id" select="'parallel_sync_scope'"/></xsl:call-template>
            <xsl:text>: </xsl:text>
            <xsl:call-template name="phrase"><xsl:with-param name="id" select="concat('parallel_sync_scope_', @scope)"/></xsl:call-template>
          </li>
        </xsl:for-each>
        <xsl:for-each select="parallelization/methods">
          <xsl:if test="not(method)">
            <li><xsl:call-template name="phrase"><xsl:with-param name="id" select="'parallel_method_none'"/></xsl:call-template></li>
          </xsl:if>
          <xsl:for-each select="method">
            <li>
              <xsl:choose>
                <xsl:when test="@id = 'split_tuple' or @id = 'split_channel' or @id = 'split_domain' or @id = 'split_partial'">
                  <xsl:call-template name="phrase"><xsl:with-param name="id" select="concat('parallel_method_', @id)"/></xsl:call-template>
                </xsl:when>
                <xsl:otherwise><xsl:value-of select="@id"/></xsl:otherwise>
              </xsl:choose>
            </li>
          </xsl:for-each>
        </xsl:for-each>
        <xsl:for-each select="interrupt_mode">
          <li><xsl:call-template name="phrase"><xsl:with-param name="id" select="concat('interrupt_mode_', @type)"/></xsl:call-template></li>
        </xsl:for-each>
      </ul>
    </xsl:if>
  </xsl:template>

  <xsl:template name="section_references">
    <xsl:param name="node"/>
    <xsl:param name="phrase_id"/>
    <xsl:if test="$node/opref">
      <h2><xsl:call-template name="phrase"><xsl:with-param name="id" select="$phrase_id"/></xsl:call-template></h2>
      <p class="references">
        <xsl:for-each select="$node/opref">
          <xsl:if test="position() &gt; 1">, </xsl:if>
          <xsl:apply-templates select="."/>
        </xsl:for-each>
      </p>
    </xsl:if>
  </xsl:template>

  <xsl:template match="module">
    <h2><xsl:call-template name="phrase"><xsl:with-param name="id" select="'sec_module'"/></xsl:call-template></h2>
    <p class="module">
      <xsl:value-of select="."/>
      <xsl:if test="string(@dynamic) != ''">
        <br/>
        <xsl:call-template name="phrase"><xsl:with-param name="id" select="'text_module_dynamic'"/></xsl:call-template>
        <xsl:text>: </xsl:text>
        <xsl:value-of select="@dynamic"/>
      </xsl:if>
    </p>
  </xsl:template>

  <!-- common block: common.xsl -->

  <!-- ============ Markup of the documentation texts (HTML) ============ -->
  <xsl:param name="formula_mode" select="'svg'"/>
  <xsl:param name="figure_mode" select="'svg'"/>
  <xsl:param name="imagedir" select="'images/'"/>
  <!-- The SVG files found in the image folder, as "|name|name|": a formula
       or figure whose file is not there shows its text or its name instead
       of a broken image. "*" (the default) takes every file as there. -->
  <xsl:param name="svg_images" select="'*'"/>

  <!-- A paragraph that holds block content becomes a division, so that the
       page stays valid HTML. -->
  <xsl:template match="p">
    <xsl:if test="@title">
      <h4 class="paragraph"><xsl:value-of select="@title"/></h4>
    </xsl:if>
    <xsl:choose>
      <xsl:when test="not(*) and normalize-space(.) = ''"/>
      <xsl:when test="table | ul | ol | dl | details | figure | alignment | format/ascii[@preformatted = 'true'] | format/formula | p">
        <div class="p"><xsl:apply-templates/></div>
      </xsl:when>
      <xsl:otherwise><p><xsl:apply-templates/></p></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
  <xsl:template match="b"><b><xsl:apply-templates/></b></xsl:template>
  <xsl:template match="i"><i><xsl:apply-templates/></i></xsl:template>
  <xsl:template match="em"><em><xsl:apply-templates/></em></xsl:template>
  <xsl:template match="mono"><code><xsl:apply-templates/></code></xsl:template>
  <xsl:template match="br"><br/></xsl:template>
  <xsl:template match="backslash">\</xsl:template>
  <xsl:template match="ul"><ul><xsl:apply-templates/></ul></xsl:template>
  <xsl:template match="ol"><ol><xsl:apply-templates/></ol></xsl:template>
  <xsl:template match="li"><li><xsl:apply-templates/></li></xsl:template>
  <xsl:template match="dl"><dl><xsl:apply-templates/></dl></xsl:template>
  <xsl:template match="dt"><dt><xsl:apply-templates/></dt></xsl:template>
  <xsl:template match="dd"><dd><xsl:apply-templates/></dd></xsl:template>
  <xsl:template match="details"><div class="details"><xsl:apply-templates/></div></xsl:template>
  <xsl:template match="detailssummary"><div class="details_summary"><xsl:apply-templates/></div></xsl:template>
  <xsl:template match="alignment">
    <div style="text-align: {@halign}"><xsl:apply-templates/></div>
  </xsl:template>
  <xsl:template match="external">
    <xsl:variable name="url"><xsl:call-template name="safe_link_target"><xsl:with-param name="url" select="@url"/></xsl:call-template></xsl:variable>
    <xsl:choose>
      <xsl:when test="$url != ''"><a href="{$url}" class="external"><xsl:apply-templates/></a></xsl:when>
      <xsl:otherwise><xsl:apply-templates/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
  <xsl:template match="trademark">
    <span class="trademark"><xsl:call-template name="trademark_text"/></span>
  </xsl:template>
  <xsl:template match="resultstate">
    <code class="resultstate"><xsl:call-template name="resultstate_text"/></code>
  </xsl:template>
  <xsl:template match="list_param_attention | list_param_restriction | list_default_value | list_value_list | list_value_range | list_value_suggestion">
    <xsl:variable name="id"><xsl:call-template name="list_heading_phrase"/></xsl:variable>
    <b><xsl:call-template name="phrase"><xsl:with-param name="id" select="$id"/></xsl:call-template></b>
  </xsl:template>

  <!-- Chapter references: nested elements form the chapter path; the
       outermost one writes the whole link. -->
  <xsl:template match="chapref">
    <xsl:variable name="chain" select="descendant-or-self::chapref"/>
    <xsl:variable name="ids">
      <xsl:for-each select="$chain">
        <xsl:if test="position() &gt; 1">_</xsl:if>
        <xsl:value-of select="@id"/>
      </xsl:for-each>
    </xsl:variable>
    <xsl:variable name="file">
      <xsl:call-template name="chapter_file"><xsl:with-param name="ids" select="$ids"/></xsl:call-template>
    </xsl:variable>
    <a href="{$file}" class="chapref">
      <xsl:for-each select="$chain">
        <xsl:if test="position() &gt; 1"> / </xsl:if>
        <xsl:value-of select="@name"/>
      </xsl:for-each>
    </a>
  </xsl:template>
  <xsl:template match="opref">
    <a href="{concat(@id, $page_suffix)}" class="opref"><code><xsl:call-template name="syntax_text"/></code></a>
  </xsl:template>
  <!-- on an operator page a parameter reference links its description -->
  <xsl:template match="parref">
    <xsl:choose>
      <xsl:when test="/operator/parameters/parameter[@id = current()/@id]">
        <a href="{concat('#parameter_', @id)}" class="parref"><code><i><xsl:call-template name="syntax_text"/></i></code></a>
      </xsl:when>
      <xsl:otherwise><code class="parref"><i><xsl:call-template name="syntax_text"/></i></code></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
  <xsl:template match="parname">
    <code class="parname"><xsl:call-template name="syntax_text"/></code>
  </xsl:template>
  <xsl:template match="valref">
    <code class="valref"><xsl:call-template name="syntax_text"/></code>
  </xsl:template>
  <!-- A syntax element on its own writes its text; the elements that hold
       several of them pick one through syntax_text. -->
  <xsl:template match="syntax"><xsl:apply-templates/></xsl:template>

  <!-- Format blocks: HTML shows the ASCII part, else the formula. -->
  <xsl:template match="format">
    <xsl:choose>
      <xsl:when test="ascii"><xsl:apply-templates select="ascii"/></xsl:when>
      <xsl:otherwise><xsl:apply-templates select="formula"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
  <xsl:template match="ascii">
    <xsl:choose>
      <xsl:when test="@preformatted = 'true'"><pre><xsl:apply-templates/></pre></xsl:when>
      <xsl:otherwise><span class="ascii"><xsl:apply-templates/></span></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
  <xsl:template match="latex"/>
  <xsl:template match="formula">
    <xsl:choose>
      <xsl:when test="$formula_mode = 'svg' and ($svg_images = '*' or contains($svg_images, concat('|', /*/@id, '_formula_', count(preceding::formula) + 1, '.svg|')))">
        <xsl:variable name="number" select="count(preceding::formula) + 1"/>
        <div class="formula"><img src="{concat($imagedir, /*/@id, '_formula_', $number, '.svg')}" alt="{normalize-space(.)}"/></div>
      </xsl:when>
      <xsl:otherwise><div class="formula"><code><xsl:value-of select="."/></code></div></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
  <xsl:template match="inline_formula"><i class="formula"><xsl:value-of select="."/></i></xsl:template>
  <xsl:template match="figure">
    <xsl:choose>
      <xsl:when test="$figure_mode = 'svg' and ($svg_images = '*' or contains($svg_images, concat('|', @prefix, '.svg|')))">
        <div class="figure">
          <img src="{concat($imagedir, @prefix, '.svg')}" alt="{@prefix}">
            <xsl:if test="@scale"><xsl:attribute name="style">width: <xsl:value-of select="@scale * 100"/>%</xsl:attribute></xsl:if>
          </img>
          <xsl:apply-templates/>
        </div>
      </xsl:when>
      <xsl:otherwise>
        <div class="figure"><span class="figure_file"><xsl:value-of select="@prefix"/></span><xsl:apply-templates/></div>
      </xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- Tables: the tc elements give the alignment of each column; a last row
       left open by a final line break stays out. -->
  <xsl:template match="table">
    <table class="{concat('markup ', @style)}">
      <xsl:apply-templates select="tr[not(position() = last() and not(normalize-space(.)) and not(*/*))]"/>
    </table>
  </xsl:template>
  <xsl:template match="tc"/>
  <xsl:template match="tr"><tr><xsl:apply-templates select="td"/></tr></xsl:template>
  <xsl:template match="td">
    <xsl:variable name="column" select="count(preceding-sibling::td) + 1"/>
    <xsl:variable name="spec" select="ancestor::table[1]/tc[$column]"/>
    <td>
      <xsl:if test="$spec/@align"><xsl:attribute name="style">text-align: <xsl:value-of select="$spec/@align"/><xsl:if test="$spec/@width">; width: <xsl:value-of select="$spec/@width"/>em</xsl:if></xsl:attribute></xsl:if>
      <xsl:apply-templates/>
    </td>
  </xsl:template>

  <!-- Page head and navigation shared by all pages. -->
  <xsl:template name="page_head">
    <xsl:param name="title"/>
    <head>
      
      <title><xsl:value-of select="$title"/></title>
      <style>
        body { font-family: sans-serif; margin: 1em 2em; }
        div.bar { border-bottom: 1px solid #888; padding: 0.3em 0; margin-bottom: 1em; }
        div.bar a { margin-right: 1.5em; }
        table.markup td, table.params td { padding: 0.1em 0.6em; vertical-align: top; }
        pre, code { font-family: monospace; }
        div.signature { font-family: monospace; margin: 0.3em 0 0.3em 1em; }
        div.footer { border-top: 1px solid #888; margin-top: 2em; font-size: smaller; }
        span.search { position: relative; float: right; }
        ul#search_results { position: absolute; right: 0; z-index: 1; width: 32em; margin: 0; padding: 0; list-style: none; background: #fff; }
        ul#search_results li { padding: 0.2em 0.5em; border: 1px solid #ccc; border-top: none; }
      </style>
    </head>
  </xsl:template>
  <xsl:template name="navigation_bar">
    <div class="bar">
      <a href="{$file_index}"><xsl:call-template name="phrase"><xsl:with-param name="id" select="'title_toc'"/></xsl:call-template></a>
      <a href="{$file_index_by_name}"><xsl:call-template name="phrase"><xsl:with-param name="id" select="'title_operatorindex'"/></xsl:call-template></a>
      <a href="{$file_index_classes}"><xsl:call-template name="phrase"><xsl:with-param name="id" select="'title_classindex'"/></xsl:call-template></a>
      <!-- the search box: search.js (written beside the pages) fills the
           list from search_index.js -->
      <span class="search"><input type="search" id="search_box" autocomplete="off"/><ul id="search_results"></ul></span>
    </div>
    <script src="search.js"></script>
  </xsl:template>
  <xsl:template name="page_footer">
    <div class="footer">
      <xsl:call-template name="phrase"><xsl:with-param name="id" select="'text_copyright'"/></xsl:call-template>
      <xsl:text> </xsl:text>
      <xsl:choose>
        <xsl:when test="string($doc_element/@copyright) != ''"><xsl:value-of select="$doc_element/@copyright"/></xsl:when>
        <xsl:otherwise><xsl:call-template name="phrase"><xsl:with-param name="id" select="'text_copyright_holder'"/></xsl:call-template></xsl:otherwise>
      </xsl:choose>
      <xsl:if test="string($doc_element/@version) != ''">
        <xsl:text> | </xsl:text>
        <xsl:call-template name="phrase"><xsl:with-param name="id" select="'term_version'"/></xsl:call-template>
        <xsl:value-of select="concat(' ', $doc_element/@version)"/>
      </xsl:if>
      <xsl:text> | </xsl:text>
      <a href="{$file_legal_notes}"><xsl:call-template name="phrase"><xsl:with-param name="id" select="'text_more_information'"/></xsl:call-template></a>
    </div>
  </xsl:template>
  <!-- ================== end of the HTML markup ================== -->
</xsl:stylesheet>
