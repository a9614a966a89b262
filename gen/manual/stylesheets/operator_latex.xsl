<?xml version="1.0" encoding="UTF-8"?>
<!-- operator_latex.xsl: one operator as a LaTeX input file (older layout)
     Part of the reference manual of the operator compiler vornc; carried
     inside the program and extracted into the working directory when used. -->
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:v="urn:vornc:manual"
    exclude-result-prefixes="v">
  <xsl:output method="text" encoding="UTF-8"/>
  <!-- One operator of the older layout as a LaTeX input file; the main
       document (toc_latex.xsl) defines \vornixoperator. -->

  <xsl:template match="/">
    <xsl:apply-templates select="operator"/>
  </xsl:template>

  <xsl:template name="heading">
    <xsl:param name="id"/>
    <xsl:text>&#10;\vornixheading{</xsl:text>
    <xsl:call-template name="phrase"><xsl:with-param name="id" select="$id"/></xsl:call-template>
    <xsl:text>}&#10;</xsl:text>
  </xsl:template>

  <xsl:template match="operator">
    <xsl:variable name="name">
      <xsl:choose>
        <xsl:when test="string(@name) != ''"><xsl:value-of select="@name"/></xsl:when>
        <xsl:otherwise><xsl:value-of select="@id"/></xsl:otherwise>
      </xsl:choose>
    </xsl:variable>
    <xsl:value-of select="concat('%% ', @id, '&#10;')"/>
    <xsl:text>\vornixoperator{</xsl:text>
    <xsl:value-of select="@id"/>
    <xsl:text>}{</xsl:text>
    <xsl:call-template name="latex_escape"><xsl:with-param name="text" select="$name"/></xsl:call-template>
    <xsl:text>}&#10;</xsl:text>

    <xsl:call-template name="heading"><xsl:with-param name="id" select="'sec_name'"/></xsl:call-template>
    <xsl:text>\texttt{</xsl:text>
    <xsl:call-template name="latex_escape"><xsl:with-param name="text" select="$name"/></xsl:call-template>
    <xsl:text>}</xsl:text>
    <xsl:if test="summary">
      <xsl:text> --- </xsl:text>
      <xsl:apply-templates select="summary/node()"/>
    </xsl:if>
    <xsl:text>&#10;</xsl:text>
    <xsl:if test="@creates_handle_type = 'true'">
      <xsl:text>&#10;</xsl:text>
      <xsl:call-template name="phrase"><xsl:with-param name="id" select="'creates_handle_state_modified'"/></xsl:call-template>
      <xsl:text>&#10;</xsl:text>
    </xsl:if>

    <xsl:call-template name="text_section"><xsl:with-param name="node" select="warning"/><xsl:with-param name="id" select="'sec_warning'"/></xsl:call-template>
    <xsl:apply-templates select="synopsis"/>
    <xsl:if test="not(synopsis/signature)">
      <xsl:call-template name="heading"><xsl:with-param name="id" select="'sec_synopsis'"/></xsl:call-template>
      <xsl:call-template name="phrase"><xsl:with-param name="id" select="'term_page_not_available'"/></xsl:call-template>
      <xsl:text>&#10;</xsl:text>
    </xsl:if>
    <xsl:call-template name="text_section"><xsl:with-param name="node" select="description"/><xsl:with-param name="id" select="'sec_description'"/></xsl:call-template>
    <xsl:call-template name="text_section"><xsl:with-param name="node" select="attention"/><xsl:with-param name="id" select="'sec_attention'"/></xsl:call-template>
    <xsl:apply-templates select="parameters"/>
    <xsl:if test="example">
      <xsl:call-template name="heading"><xsl:with-param name="id" select="'sec_example'"/></xsl:call-template>
      <xsl:for-each select="example">
        <xsl:text>\textbf{</xsl:text>
        <xsl:call-template name="latex_escape"><xsl:with-param name="text" select="@syntax"/></xsl:call-template>
        <xsl:text>}&#10;\begin{verbatim}&#10;</xsl:text>
        <xsl:value-of select="."/>
        <xsl:text>&#10;\end{verbatim}&#10;</xsl:text>
      </xsl:for-each>
    </xsl:if>
    <xsl:call-template name="text_section"><xsl:with-param name="node" select="complexity"/><xsl:with-param name="id" select="'sec_complexity'"/></xsl:call-template>
    <xsl:call-template name="text_section"><xsl:with-param name="node" select="result"/><xsl:with-param name="id" select="'sec_result'"/></xsl:call-template>
    <xsl:call-template name="execution"/>
    <xsl:call-template name="reference_list"><xsl:with-param name="node" select="predecessors"/><xsl:with-param name="id" select="'sec_predecessors'"/></xsl:call-template>
    <xsl:call-template name="reference_list"><xsl:with-param name="node" select="successors"/><xsl:with-param name="id" select="'sec_successors'"/></xsl:call-template>
    <xsl:call-template name="reference_list"><xsl:with-param name="node" select="alternatives"/><xsl:with-param name="id" select="'sec_alternatives'"/></xsl:call-template>
    <xsl:call-template name="reference_list"><xsl:with-param name="node" select="see"/><xsl:with-param name="id" select="'sec_see'"/></xsl:call-template>
    <xsl:call-template name="text_section"><xsl:with-param name="node" select="references[normalize-space(.) != '']"/><xsl:with-param name="id" select="'sec_references'"/></xsl:call-template>
    <xsl:for-each select="module">
      <xsl:call-template name="heading"><xsl:with-param name="id" select="'sec_module'"/></xsl:call-template>
      <xsl:call-template name="latex_escape"><xsl:with-param name="text" select="normalize-space(.)"/></xsl:call-template>
      <xsl:if test="string(@dynamic) != ''">
        <xsl:text>\\&#10;</xsl:text>
        <xsl:call-template name="phrase"><xsl:with-param name="id" select="'text_module_dynamic'"/></xsl:call-template>
        <xsl:text>: </xsl:text>
        <xsl:call-template name="latex_escape"><xsl:with-param name="text" select="@dynamic"/></xsl:call-template>
      </xsl:if>
      <xsl:text>&#10;</xsl:text>
    </xsl:for-each>
    <xsl:for-each select="keywords/keyword">
      <xsl:text>\index{</xsl:text>
      <xsl:call-template name="latex_escape"><xsl:with-param name="text" select="normalize-space(.)"/></xsl:call-template>
      <xsl:text>}&#10;</xsl:text>
    </xsl:for-each>
  </xsl:template>

  <xsl:template name="text_section">
    <xsl:param name="node"/>
    <xsl:param name="id"/>
    <xsl:if test="$node">
      <xsl:call-template name="heading"><xsl:with-param name="id" select="$id"/></xsl:call-template>
      <xsl:for-each select="$node">
        <xsl:apply-templates/>
        <xsl:text>&#10;</xsl:text>
      </xsl:for-each>
    </xsl:if>
  </xsl:template>

  <!-- Signatures of the one interface of the older layout -->
  <xsl:template match="synopsis">
    <xsl:call-template name="heading"><xsl:with-param name="id" select="'sec_synopsis'"/></xsl:call-template>
    <xsl:text>\begin{flushleft}&#10;</xsl:text>
    <xsl:for-each select="signature">
      <xsl:text>\texttt{</xsl:text>
      <!-- the program writes the signature natively (v:latex_signature,
           the same text); elsewhere the fallback -->
      <xsl:choose>
        <xsl:when test="function-available('v:latex_signature')"><xsl:value-of select="v:latex_signature(.)"/></xsl:when>
        <xsl:otherwise>
          <xsl:variable name="text"><xsl:apply-templates select="." mode="plain"/></xsl:variable>
          <xsl:variable name="escaped"><xsl:call-template name="latex_escape"><xsl:with-param name="text" select="$text"/></xsl:call-template></xsl:variable>
          <!-- a long signature may also break after "::" and "(" -->
          <xsl:variable name="after_scope">
            <xsl:call-template name="replace_substring">
              <xsl:with-param name="text" select="$escaped"/>
              <xsl:with-param name="from" select="'::'"/>
              <xsl:with-param name="to" select="'::\allowbreak{}'"/>
            </xsl:call-template>
          </xsl:variable>
          <xsl:call-template name="replace_substring">
            <xsl:with-param name="text" select="$after_scope"/>
            <xsl:with-param name="from" select="'('"/>
            <xsl:with-param name="to" select="'(\allowbreak{}'"/>
          </xsl:call-template>
        </xsl:otherwise>
      </xsl:choose>
      <xsl:text>}</xsl:text>
      <xsl:if test="@winonly = 'true'">
        <xsl:text> (</xsl:text>
        <xsl:call-template name="phrase"><xsl:with-param name="id" select="'note_windows_only'"/></xsl:call-template>
        <xsl:text>)</xsl:text>
      </xsl:if>
      <xsl:if test="position() != last()"><xsl:text>\\[1ex]</xsl:text></xsl:if>
      <xsl:text>&#10;</xsl:text>
    </xsl:for-each>
    <xsl:text>\end{flushleft}&#10;</xsl:text>
  </xsl:template>

  <!-- a signature as plain text, in the form of its interface -->
  <xsl:template match="signature" mode="plain">
    <xsl:variable name="kind" select="../@interface"/>
    <xsl:choose>
      <xsl:when test="$kind = 'vdevelop'">
        <xsl:value-of select="concat(@name, '( ')"/>
        <xsl:for-each select="parameters/parameter[@type = 'iconic' and @mode = 'input']"><xsl:if test="position() &gt; 1">, </xsl:if><xsl:value-of select="@name"/></xsl:for-each>
        <xsl:text> : </xsl:text>
        <xsl:for-each select="parameters/parameter[@type = 'iconic' and @mode = 'output']"><xsl:if test="position() &gt; 1">, </xsl:if><xsl:value-of select="@name"/></xsl:for-each>
        <xsl:text> : </xsl:text>
        <xsl:for-each select="parameters/parameter[@type = 'control' and @mode = 'input']"><xsl:if test="position() &gt; 1">, </xsl:if><xsl:value-of select="@name"/></xsl:for-each>
        <xsl:text> : </xsl:text>
        <xsl:for-each select="parameters/parameter[@type = 'control' and @mode = 'output']"><xsl:if test="position() &gt; 1">, </xsl:if><xsl:value-of select="@name"/></xsl:for-each>
        <xsl:text> )</xsl:text>
      </xsl:when>
      <xsl:when test="$kind = 'python'">
        <xsl:value-of select="concat('def ', @name, '(')"/>
        <xsl:for-each select="parameters/parameter[@mode = 'input']"><xsl:if test="position() &gt; 1">, </xsl:if><xsl:value-of select="concat(@name, ': ', @type)"/></xsl:for-each>
        <xsl:text>)</xsl:text>
        <xsl:choose>
          <xsl:when test="returns"><xsl:value-of select="concat(' -&gt; ', returns/@type)"/></xsl:when>
          <xsl:when test="count(parameters/parameter[@mode = 'output']) = 1"><xsl:value-of select="concat(' -&gt; ', parameters/parameter[@mode = 'output']/@type)"/></xsl:when>
          <xsl:when test="parameters/parameter[@mode = 'output']">
            <xsl:text> -&gt; Tuple[</xsl:text>
            <xsl:for-each select="parameters/parameter[@mode = 'output']"><xsl:if test="position() &gt; 1">, </xsl:if><xsl:value-of select="@type"/></xsl:for-each>
            <xsl:text>]</xsl:text>
          </xsl:when>
        </xsl:choose>
      </xsl:when>
      <xsl:otherwise>
        <xsl:if test="@static = 'true'">static </xsl:if>
        <xsl:choose>
          <xsl:when test="returns"><xsl:value-of select="concat(returns/@type, ' ')"/></xsl:when>
          <xsl:when test="@type = 'method'">void </xsl:when>
        </xsl:choose>
        <xsl:if test="@class_name">
          <xsl:value-of select="@class_name"/>
          <xsl:choose><xsl:when test="$kind = 'cpp'">::</xsl:when><xsl:otherwise>.</xsl:otherwise></xsl:choose>
        </xsl:if>
        <xsl:value-of select="concat(@name, '(')"/>
        <xsl:for-each select="parameters/parameter">
          <xsl:if test="position() &gt; 1">, </xsl:if>
          <xsl:if test="@mode = 'output' and $kind = 'dotnet'">out </xsl:if>
          <xsl:value-of select="@type"/>
          <xsl:if test="@mode = 'output' and (($kind = 'c' and substring(@type, string-length(@type)) != '*') or $kind = 'cpp')">*</xsl:if>
          <xsl:value-of select="concat(' ', @name)"/>
        </xsl:for-each>
        <xsl:text>)</xsl:text>
        <xsl:if test="@const = 'true'"> const</xsl:if>
      </xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <xsl:template match="parameters">
    <xsl:call-template name="heading"><xsl:with-param name="id" select="'sec_parameters'"/></xsl:call-template>
    <xsl:text>\begin{description}&#10;</xsl:text>
    <xsl:apply-templates select="parameter" mode="parameter"/>
    <xsl:text>\end{description}&#10;</xsl:text>
  </xsl:template>

  <xsl:template match="parameter" mode="parameter">
    <!-- the item line: the program writes it natively
         (v:latex_parameter_item, the same text); elsewhere the fallback -->
    <xsl:choose>
      <xsl:when test="function-available('v:latex_parameter_item')"><xsl:value-of select="v:latex_parameter_item(.)"/></xsl:when>
      <xsl:otherwise>
        <xsl:text>\item[{\texttt{</xsl:text>
        <xsl:call-template name="latex_escape"><xsl:with-param name="text" select="normalize-space(name)"/></xsl:call-template>
        <xsl:text>}}] (</xsl:text>
        <xsl:call-template name="latex_escape"><xsl:with-param name="text" select="@mode"/></xsl:call-template>
        <xsl:text>)</xsl:text>
        <xsl:if test="string(@semtype) != ''">
          <xsl:text> \textit{</xsl:text>
          <xsl:call-template name="latex_escape"><xsl:with-param name="text" select="@semtype"/></xsl:call-template>
          <xsl:text>}</xsl:text>
        </xsl:if>
        <xsl:if test="subtype">
          <xsl:text> $\rightarrow$ </xsl:text>
          <xsl:for-each select="subtype">
            <xsl:if test="position() &gt; 1"> / </xsl:if>
            <xsl:variable name="subtype_name">
              <xsl:choose>
                <xsl:when test="@name"><xsl:value-of select="@name"/></xsl:when>
                <xsl:otherwise><xsl:value-of select="normalize-space(.)"/></xsl:otherwise>
              </xsl:choose>
            </xsl:variable>
            <xsl:call-template name="latex_escape"><xsl:with-param name="text" select="$subtype_name"/></xsl:call-template>
          </xsl:for-each>
        </xsl:if>
        <xsl:text>&#10;</xsl:text>
      </xsl:otherwise>
    </xsl:choose>
    <xsl:if test="summary">
      <xsl:text>\\</xsl:text>
      <xsl:apply-templates select="summary/node()"/>
      <xsl:text>&#10;</xsl:text>
    </xsl:if>
    <xsl:if test="@modified and @modified != 'false'">
      <xsl:text>\\</xsl:text>
      <xsl:call-template name="phrase"><xsl:with-param name="id" select="'parameter_state_modified'"/></xsl:call-template>
      <xsl:text>&#10;</xsl:text>
    </xsl:if>
    <xsl:if test="default | value_list | value_suggestions | value_range | step_min | step_rec | value_number | restriction | assertion | fileext | cd_values | cd_types">
      <xsl:text>\begin{itemize}&#10;</xsl:text>
      <xsl:apply-templates select="default" mode="property"><xsl:with-param name="id" select="'param_default'"/></xsl:apply-templates>
      <xsl:apply-templates select="value_list" mode="property"><xsl:with-param name="id" select="'param_value_list'"/></xsl:apply-templates>
      <xsl:apply-templates select="value_suggestions" mode="property"><xsl:with-param name="id" select="'param_value_suggestions'"/></xsl:apply-templates>
      <xsl:apply-templates select="value_range" mode="property"><xsl:with-param name="id" select="'param_value_range'"/></xsl:apply-templates>
      <xsl:apply-templates select="step_min" mode="property"><xsl:with-param name="id" select="'param_value_step_min'"/></xsl:apply-templates>
      <xsl:apply-templates select="step_rec" mode="property"><xsl:with-param name="id" select="'param_value_step_rec'"/></xsl:apply-templates>
      <xsl:apply-templates select="value_number" mode="property"><xsl:with-param name="id" select="'param_value_number'"/></xsl:apply-templates>
      <xsl:apply-templates select="restriction" mode="property"><xsl:with-param name="id" select="'param_restriction'"/></xsl:apply-templates>
      <xsl:apply-templates select="assertion" mode="property"><xsl:with-param name="id" select="'param_assertion'"/></xsl:apply-templates>
      <xsl:if test="fileext">
        <xsl:text>\item \textbf{</xsl:text>
        <xsl:call-template name="phrase"><xsl:with-param name="id" select="'param_file_extension'"/></xsl:call-template>
        <xsl:text>:} </xsl:text>
        <xsl:for-each select="fileext">
          <xsl:if test="position() &gt; 1">, </xsl:if>
          <xsl:text>\texttt{</xsl:text>
          <xsl:call-template name="latex_escape"><xsl:with-param name="text" select="@ext"/></xsl:call-template>
          <xsl:text>}</xsl:text>
        </xsl:for-each>
        <xsl:text>&#10;</xsl:text>
      </xsl:if>
      <xsl:apply-templates select="cd_values" mode="property"><xsl:with-param name="id" select="'param_cd_values'"/></xsl:apply-templates>
      <xsl:apply-templates select="cd_types" mode="property"><xsl:with-param name="id" select="'param_cd_types'"/></xsl:apply-templates>
      <xsl:text>\end{itemize}&#10;</xsl:text>
    </xsl:if>
  </xsl:template>

  <xsl:template match="*" mode="property">
    <xsl:param name="id"/>
    <xsl:text>\item \textbf{</xsl:text>
    <xsl:call-template name="phrase"><xsl:with-param name="id" select="$id"/></xsl:call-template>
    <xsl:text>:} </xsl:text>
    <xsl:choose>
      <xsl:when test="self::value_range">
        <xsl:if test="min"><xsl:text>\texttt{</xsl:text><xsl:call-template name="latex_escape"><xsl:with-param name="text" select="min"/></xsl:call-template><xsl:text>} $\le$ </xsl:text></xsl:if>
        <xsl:text>\texttt{</xsl:text>
        <xsl:call-template name="latex_escape"><xsl:with-param name="text" select="normalize-space(../name)"/></xsl:call-template>
        <xsl:text>}</xsl:text>
        <xsl:if test="max"><xsl:text> $\le$ \texttt{</xsl:text><xsl:call-template name="latex_escape"><xsl:with-param name="text" select="max"/></xsl:call-template><xsl:text>}</xsl:text></xsl:if>
        <xsl:if test="function"><xsl:text> (</xsl:text><xsl:call-template name="latex_escape"><xsl:with-param name="text" select="function"/></xsl:call-template><xsl:text>)</xsl:text></xsl:if>
      </xsl:when>
      <xsl:when test="value">
        <xsl:for-each select="value"><xsl:if test="position() &gt; 1">, </xsl:if>\texttt{<xsl:apply-templates/>}</xsl:for-each>
      </xsl:when>
      <xsl:when test="type">
        <xsl:for-each select="type"><xsl:if test="position() &gt; 1">, </xsl:if>\texttt{<xsl:call-template name="latex_escape"><xsl:with-param name="text" select="@id"/></xsl:call-template>}</xsl:for-each>
      </xsl:when>
      <xsl:otherwise>\texttt{<xsl:apply-templates/>}</xsl:otherwise>
    </xsl:choose>
    <xsl:text>&#10;</xsl:text>
  </xsl:template>

  <xsl:template name="execution">
    <xsl:if test="parallelization | interrupt_mode">
      <xsl:call-template name="heading"><xsl:with-param name="id" select="'sec_execution'"/></xsl:call-template>
      <xsl:text>\begin{itemize}&#10;</xsl:text>
      <xsl:for-each select="parallelization/compute_devices/compute_device">
        <xsl:text>\item </xsl:text>
        <xsl:choose>
          <xsl:when test="@id = 'opencl' or @id = 'object'">
            <xsl:call-template name="phrase"><xsl:with-param name="id" select="concat('parallel_compute_device_', @id)"/></xsl:call-template>
          </xsl:when>
          <xsl:otherwise><xsl:call-template name="latex_escape"><xsl:with-param name="text" select="@id"/></xsl:call-template></xsl:otherwise>
        </xsl:choose>
        <xsl:text>&#10;</xsl:text>
      </xsl:for-each>
      <xsl:for-each select="parallelization/synchronization">
        <xsl:text>\item </xsl:text>
        <xsl:call-template name="phrase"><xsl:with-param name="id" select="'parallel_sync_type'"/></xsl:call-template>
        <xsl:text>: </xsl:text>
        <xsl:call-template name="phrase"><xsl:with-param name="id" select="concat('parallel_sync_type_', @type)"/></xsl:call-template>
        <xsl:text>&#10;\item </xsl:text>
        <xsl:call-template name="phrase"><xsl:with-param name="id" select="'parallel_sync_scope'"/></xsl:call-template>
        <xsl:text>: </xsl:text>
        <xsl:call-template name="phrase"><xsl:with-param name="id" select="concat('parallel_sync_scope_', @scope)"/></xsl:call-template>
        <xsl:text>&#10;</xsl:text>
      </xsl:for-each>
      <xsl:for-each select="parallelization/methods">
        <xsl:if test="not(method)">
          <xsl:text>\item </xsl:text>
          <xsl:call-template name="phrase"><xsl:with-param name="id" select="'parallel_method_none'"/></xsl:call-template>
          <xsl:text>&#10;</xsl:text>
        </xsl:if>
        <xsl:for-each select="method">
          <xsl:text>\item </xsl:text>
          <xsl:choose>
            <xsl:when test="@id = 'split_tuple' or @id = 'split_channel' or @id = 'split_domain' or @id = 'split_partial'">
              <xsl:call-template name="phrase"><xsl:with-param name="id" select="concat('parallel_method_', @id)"/></xsl:call-template>
            </xsl:when>
            <xsl:otherwise><xsl:call-template name="latex_escape"><xsl:with-param name="text" select="@id"/></xsl:call-template></xsl:otherwise>
          </xsl:choose>
          <xsl:text>&#10;</xsl:text>
        </xsl:for-each>
      </xsl:for-each>
      <xsl:for-each select="interrupt_mode">
        <xsl:text>\item </xsl:text>
        <xsl:call-template name="phrase"><xsl:with-param name="id" select="concat('interrupt_mode_', @type)"/></xsl:call-template>
        <xsl:text>&#10;</xsl:text>
      </xsl:for-each>
      <xsl:text>\end{itemize}&#10;</xsl:text>
    </xsl:if>
  </xsl:template>

  <xsl:template name="reference_list">
    <xsl:param name="node"/>
    <xsl:param name="id"/>
    <xsl:if test="$node/opref">
      <xsl:call-template name="heading"><xsl:with-param name="id" select="$id"/></xsl:call-template>
      <xsl:for-each select="$node/opref">
        <xsl:if test="position() &gt; 1">, </xsl:if>
        <xsl:apply-templates select="."/>
      </xsl:for-each>
      <xsl:text>&#10;</xsl:text>
    </xsl:if>
  </xsl:template>

  <!-- common block: common.xsl -->

  <!-- ============ Markup of the documentation texts (LaTeX) ============ -->
  <!-- every text of the markup, escaped; natively without a template call
       for each, which the many short texts of a page would cost -->
  <xsl:template match="text()">
    <xsl:choose>
      <xsl:when test="function-available('v:latex_escape')"><xsl:value-of select="v:latex_escape(string(.))"/></xsl:when>
      <xsl:otherwise><xsl:call-template name="latex_escape"><xsl:with-param name="text" select="."/></xsl:call-template></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
  <xsl:template match="p[not(*) and normalize-space(.) = '' and not(@title)]"/>
  <xsl:template match="p">
    <xsl:if test="@title">
      <xsl:text>\paragraph{</xsl:text>
      <xsl:call-template name="latex_escape"><xsl:with-param name="text" select="@title"/></xsl:call-template>
      <xsl:text>} </xsl:text>
    </xsl:if>
    <xsl:apply-templates/>
    <xsl:text>&#10;&#10;</xsl:text>
  </xsl:template>
  <xsl:template match="b">\textbf{<xsl:apply-templates/>}</xsl:template>
  <xsl:template match="i">\textit{<xsl:apply-templates/>}</xsl:template>
  <xsl:template match="em">\emph{<xsl:apply-templates/>}</xsl:template>
  <xsl:template match="mono">\texttt{<xsl:apply-templates/>}</xsl:template>
  <xsl:template match="br"><xsl:text>\leavevmode\\&#10;</xsl:text></xsl:template>
  <xsl:template match="backslash">\textbackslash{}</xsl:template>
  <xsl:template match="ul"><xsl:text>&#10;\begin{itemize}&#10;</xsl:text><xsl:apply-templates/><xsl:text>\end{itemize}&#10;</xsl:text></xsl:template>
  <xsl:template match="ol"><xsl:text>&#10;\begin{enumerate}&#10;</xsl:text><xsl:apply-templates/><xsl:text>\end{enumerate}&#10;</xsl:text></xsl:template>
  <xsl:template match="li"><xsl:text>\item </xsl:text><xsl:apply-templates/><xsl:text>&#10;</xsl:text></xsl:template>
  <xsl:template match="dl"><xsl:text>&#10;\begin{description}&#10;</xsl:text><xsl:apply-templates/><xsl:text>\end{description}&#10;</xsl:text></xsl:template>
  <xsl:template match="dt"><xsl:text>\item[{</xsl:text><xsl:apply-templates/><xsl:text>}] </xsl:text></xsl:template>
  <xsl:template match="dd"><xsl:apply-templates/><xsl:text>&#10;</xsl:text></xsl:template>
  <xsl:template match="details"><xsl:apply-templates/></xsl:template>
  <xsl:template match="detailssummary">\textbf{<xsl:apply-templates/>} </xsl:template>
  <xsl:template match="alignment">
    <xsl:variable name="environment">
      <xsl:choose>
        <xsl:when test="@halign = 'left'">flushleft</xsl:when>
        <xsl:when test="@halign = 'right'">flushright</xsl:when>
        <xsl:otherwise>center</xsl:otherwise>
      </xsl:choose>
    </xsl:variable>
    <xsl:value-of select="concat('&#10;\begin{', $environment, '}&#10;')"/>
    <xsl:apply-templates/>
    <xsl:value-of select="concat('&#10;\end{', $environment, '}&#10;')"/>
  </xsl:template>
  <xsl:template match="external">
    <xsl:variable name="target"><xsl:call-template name="safe_link_target"><xsl:with-param name="url" select="@url"/></xsl:call-template></xsl:variable>
    <!-- braces and backslashes cannot stand in a link target; percent and
         hash signs are escaped -->
    <xsl:variable name="url">
      <xsl:call-template name="replace_substring">
        <xsl:with-param name="text" select="translate($target, '{}\', '')"/>
        <xsl:with-param name="from" select="'%'"/>
        <xsl:with-param name="to" select="'\%'"/>
      </xsl:call-template>
    </xsl:variable>
    <xsl:choose>
      <xsl:when test="$target != ''">
        <xsl:text>\href{</xsl:text>
        <xsl:call-template name="replace_substring">
          <xsl:with-param name="text" select="$url"/>
          <xsl:with-param name="from" select="'#'"/>
          <xsl:with-param name="to" select="'\#'"/>
        </xsl:call-template>
        <xsl:text>}{</xsl:text>
        <xsl:apply-templates/>
        <xsl:text>}</xsl:text>
      </xsl:when>
      <xsl:otherwise><xsl:apply-templates/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
  <xsl:template match="trademark"><xsl:call-template name="trademark_text"/></xsl:template>
  <xsl:template match="resultstate">\texttt{<xsl:call-template name="resultstate_text"/>}</xsl:template>
  <xsl:template match="list_param_attention | list_param_restriction | list_default_value | list_value_list | list_value_range | list_value_suggestion">
    <xsl:variable name="id"><xsl:call-template name="list_heading_phrase"/></xsl:variable>
    <xsl:text>\textbf{</xsl:text>
    <xsl:call-template name="phrase"><xsl:with-param name="id" select="$id"/></xsl:call-template>
    <xsl:text>}</xsl:text>
  </xsl:template>
  <xsl:template match="chapref">
    <xsl:text>\textit{</xsl:text>
    <xsl:for-each select="descendant-or-self::chapref">
      <xsl:if test="position() &gt; 1"> / </xsl:if>
      <xsl:call-template name="latex_escape"><xsl:with-param name="text" select="@name"/></xsl:call-template>
    </xsl:for-each>
    <xsl:text>}</xsl:text>
  </xsl:template>
  <!-- operator references link the operator's section (\vornixoperator sets
       the label op:<id>) -->
  <xsl:template match="opref">
    <xsl:variable name="name"><xsl:call-template name="syntax_text"/></xsl:variable>
    <xsl:value-of select="concat('\hyperref[op:', @id, ']{\texttt{')"/>
    <xsl:call-template name="latex_name"><xsl:with-param name="text" select="$name"/></xsl:call-template>
    <xsl:text>}}</xsl:text>
  </xsl:template>
  <xsl:template match="parref | parname | valref">
    <xsl:variable name="name"><xsl:call-template name="syntax_text"/></xsl:variable>
    <xsl:text>\texttt{</xsl:text>
    <xsl:call-template name="latex_escape"><xsl:with-param name="text" select="$name"/></xsl:call-template>
    <xsl:text>}</xsl:text>
  </xsl:template>
  <xsl:template match="syntax"><xsl:apply-templates/></xsl:template>

  <!-- Format blocks: LaTeX takes the LaTeX part, else the formula, else the
       ASCII part. -->
  <xsl:template match="format">
    <xsl:choose>
      <xsl:when test="latex"><xsl:apply-templates select="latex"/></xsl:when>
      <xsl:when test="formula"><xsl:apply-templates select="formula"/></xsl:when>
      <xsl:otherwise><xsl:apply-templates select="ascii"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
  <xsl:template match="latex"><xsl:value-of select="."/></xsl:template>
  <xsl:template match="formula"><xsl:value-of select="concat('\[ ', ., ' \]')"/></xsl:template>
  <xsl:template match="inline_formula"><xsl:value-of select="concat('$', ., '$')"/></xsl:template>
  <xsl:template match="ascii">
    <xsl:choose>
      <xsl:when test="@preformatted = 'true'">
        <xsl:text>&#10;\begin{verbatim}</xsl:text>
        <xsl:value-of select="."/>
        <xsl:text>&#10;\end{verbatim}&#10;</xsl:text>
      </xsl:when>
      <xsl:otherwise><xsl:apply-templates/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
  <!-- \vornixfigure (main document) shows the image, or its name when no
       image file of that name is there. -->
  <xsl:template match="figure">
    <xsl:text>&#10;\begin{center}&#10;\vornixfigure</xsl:text>
    <xsl:if test="@scale"><xsl:value-of select="concat('[scale=', @scale, ']')"/></xsl:if>
    <xsl:value-of select="concat('{', @prefix, '}')"/>
    <xsl:apply-templates/>
    <xsl:text>&#10;\end{center}&#10;</xsl:text>
  </xsl:template>

  <!-- Tables: one column per tc (l, r, c; a width gives a paragraph
       column); a last row left open by a final line break stays out. -->
  <xsl:template match="table">
    <xsl:text>&#10;\begin{tabular}{</xsl:text>
    <xsl:apply-templates select="tc"/>
    <xsl:if test="not(tc)">l</xsl:if>
    <xsl:text>}&#10;</xsl:text>
    <xsl:if test="@style = 'grid'">\hline&#10;</xsl:if>
    <xsl:apply-templates select="tr[not(position() = last() and not(normalize-space(.)) and not(*/*))]"/>
    <xsl:text>\end{tabular}&#10;</xsl:text>
  </xsl:template>
  <xsl:template match="tc">
    <xsl:choose>
      <xsl:when test="@width"><xsl:value-of select="concat('p{', @width, 'em}')"/></xsl:when>
      <xsl:when test="@align = 'right'">r</xsl:when>
      <xsl:when test="@align = 'center'">c</xsl:when>
      <xsl:otherwise>l</xsl:otherwise>
    </xsl:choose>
  </xsl:template>
  <xsl:template match="tr">
    <xsl:apply-templates select="td"/>
    <xsl:text> \\&#10;</xsl:text>
    <xsl:if test="ancestor::table[1]/@style = 'grid'">\hline&#10;</xsl:if>
  </xsl:template>
  <xsl:template match="td">
    <xsl:if test="preceding-sibling::td"> &amp; </xsl:if>
    <xsl:apply-templates/>
  </xsl:template>
  <!-- ================== end of the LaTeX markup ================== -->
</xsl:stylesheet>
